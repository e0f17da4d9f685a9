#include "console/mtx.h"

void PSMTX44Concat(const Mtx44 a, const Mtx44 b, Mtx44 ab) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            ab[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c] + a[r][3] * b[3][c];
        }
    }
}

void PSMTX44Copy(const Mtx44 src, Mtx44 dst) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            dst[r][c] = src[r][c];
    }
}

void PSMTXMultVecSR(const Mtx m, const Vec* src, Vec* dst) {
    const Vec v = *src;
    dst->x = m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z;
    dst->y = m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z;
    dst->z = m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z;
}
