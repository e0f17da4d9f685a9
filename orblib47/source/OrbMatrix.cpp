#include "console/mtx.h"
#include "orblib47/source/OrbMath.h"

namespace {

// The console routines see the same row-major floats.
const f32 (*AsMtx44(const s_Matrix4* m))[4] {
    return reinterpret_cast<const f32(*)[4]>(m->element);
}
f32 (*AsMtx44(s_Matrix4* m))[4] {
    return reinterpret_cast<f32(*)[4]>(m->element);
}

void SetBottomRow(s_Matrix4* m) {
    m->at(3, 0) = 0.0f;
    m->at(3, 1) = 0.0f;
    m->at(3, 2) = 0.0f;
    m->at(3, 3) = 1.0f;
}

// Columns i and j of the 3x3 part turned by a: m = m R, with R taking axis i
// towards axis j.
void RotateColumns(s_Matrix4* m, int i, int j, float a) {
    const s_SinCos sc = TableSinCos(a);
    for (int r = 0; r < 3; ++r) {
        const float ci = m->at(r, i), cj = m->at(r, j);
        m->at(r, i) = ci * sc.cos + cj * sc.sin;
        m->at(r, j) = cj * sc.cos - ci * sc.sin;
    }
}

// Row r of b's 3x3 part times column c of a's.
float RowTimesColumn(const s_Matrix4* b, int r, const s_Matrix4* a, int c) {
    return b->at(r, 0) * a->at(0, c) + b->at(r, 1) * a->at(1, c) + b->at(r, 2) * a->at(2, c);
}

// The 3x3 part of m transposed, with the bottom row (0, 0, 0, 1).
s_Matrix4 TransposedRotation(const s_Matrix4* m) {
    s_Matrix4 t;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            t.at(r, c) = m->at(c, r);
    }
    SetBottomRow(&t);
    return t;
}

}  // namespace

void Matrix4CreateTranslate(s_Matrix4* m, float x, float y, float z) {
    *m = IDMatrix4;
    m->at(0, 3) = x;
    m->at(1, 3) = y;
    m->at(2, 3) = z;
}

void Matrix4CreateScale(s_Matrix4* m, float sx, float sy, float sz, float sw) {
    *m = s_Matrix4{};
    m->at(0, 0) = sx;
    m->at(1, 1) = sy;
    m->at(2, 2) = sz;
    m->at(3, 3) = sw;
}

void Matrix4Scale(s_Matrix4* m, const s_Vector3* s) {
    const float k[3] = {s->x, s->y, s->z};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            m->at(r, c) *= k[r];
    }
}

void Matrix4RotateX(s_Matrix4* m, float a) {
    RotateColumns(m, 1, 2, a);
}
void Matrix4RotateY(s_Matrix4* m, float a) {
    RotateColumns(m, 2, 0, a);
}
void Matrix4RotateZ(s_Matrix4* m, float a) {
    RotateColumns(m, 0, 1, a);
}

void Matrix4CreateXYZ(s_Matrix4* m, float ax, float ay, float az) {
    const s_SinCos x = TableSinCos(ax), y = TableSinCos(ay), z = TableSinCos(az);
    *m = IDMatrix4;
    m->at(0, 0) = z.cos * y.cos;
    m->at(0, 1) = z.cos * y.sin * x.sin - z.sin * x.cos;
    m->at(0, 2) = z.cos * y.sin * x.cos + z.sin * x.sin;
    m->at(1, 0) = z.sin * y.cos;
    m->at(1, 1) = z.sin * y.sin * x.sin + z.cos * x.cos;
    m->at(1, 2) = z.sin * y.sin * x.cos - z.cos * x.sin;
    m->at(2, 0) = -y.sin;
    m->at(2, 1) = y.cos * x.sin;
    m->at(2, 2) = y.cos * x.cos;
}

void Matrix4CreateFromAxisAndAngle(s_Matrix4* m, const s_Vector3* v, float c) {
    const float s = float(OrbSqrt(1.0f - c * c));
    const float t = 1.0f - c;
    const float x = v->x, y = v->y, z = v->z;
    *m = IDMatrix4;
    m->at(0, 0) = t * x * x + c;
    m->at(0, 1) = t * x * y + s * z;
    m->at(0, 2) = t * x * z - s * y;
    m->at(1, 0) = t * x * y - s * z;
    m->at(1, 1) = t * y * y + c;
    m->at(1, 2) = t * y * z + s * x;
    m->at(2, 0) = t * x * z + s * y;
    m->at(2, 1) = t * y * z - s * x;
    m->at(2, 2) = t * z * z + c;
    for (int col = 0; col < 3; ++col) {
        s_Vector3 axis = {m->at(0, col), m->at(1, col), m->at(2, col), 0.0f};
        Vect3Normal(&axis, &axis);
        m->at(0, col) = axis.x;
        m->at(1, col) = axis.y;
        m->at(2, col) = axis.z;
    }
}

void Matrix4MultMatrix4x4(s_Matrix4* out, const s_Matrix4* a, const s_Matrix4* b) {
    if (out == a || out == b) {
        s_Matrix4 product;
        PSMTX44Concat(AsMtx44(b), AsMtx44(a), AsMtx44(&product));
        PSMTX44Copy(AsMtx44(&product), AsMtx44(out));
    } else {
        PSMTX44Concat(AsMtx44(b), AsMtx44(a), AsMtx44(out));
    }
}

void Matrix4MultMatrix3x4(s_Matrix4* out, const s_Matrix4* a, const s_Matrix4* b) {
    s_Matrix4 product;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c)
            product.at(r, c) = RowTimesColumn(b, r, a, c);
        product.at(r, 3) += b->at(r, 3);
    }
    SetBottomRow(&product);
    *out = product;
}

void Matrix4MultMatrix3x3(s_Matrix4* out, const s_Matrix4* a, const s_Matrix4* b) {
    float product[3][3];
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            product[r][c] = RowTimesColumn(b, r, a, c);
    }
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            out->at(r, c) = product[r][c];
    }
}

void Matrix4InvertRot(s_Matrix4* out, const s_Matrix4* m) {
    s_Matrix4 inverse = TransposedRotation(m);
    const float t[3] = {m->at(0, 3), m->at(1, 3), m->at(2, 3)};
    for (int r = 0; r < 3; ++r) {
        inverse.at(r, 3) = -(inverse.at(r, 0) * t[0] + inverse.at(r, 1) * t[1] + inverse.at(r, 2) * t[2]);
    }
    *out = inverse;
}

void Matrix4Transpose(s_Matrix4* out, const s_Matrix4* m) {
    s_Matrix4 transposed = TransposedRotation(m);
    for (int r = 0; r < 3; ++r)
        transposed.at(r, 3) = -m->at(r, 3);
    *out = transposed;
}

void Matrix4TrueTranspose(s_Matrix4* out, const s_Matrix4* m) {
    s_Matrix4 transposed;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            transposed.at(r, c) = m->at(c, r);
    }
    *out = transposed;
}

void Matrix4Unitize(s_Matrix4* out, const s_Matrix4* m) {
    if (out != m)
        *out = *m;
    for (int r = 0; r < 3; ++r) {
        s_Vector3 row = {out->at(r, 0), out->at(r, 1), out->at(r, 2), 0.0f};
        Vect3Normal(&row, &row);
        out->at(r, 0) = row.x;
        out->at(r, 1) = row.y;
        out->at(r, 2) = row.z;
    }
}

void Matrix4MultVector4(const s_Matrix4* m, s_Vector4* out, const s_Vector4* v) {
    const s_Vector4 in = *v;
    float result[4];
    for (int r = 0; r < 4; ++r) {
        result[r] = m->at(r, 0) * in.x + m->at(r, 1) * in.y + m->at(r, 2) * in.z + m->at(r, 3) * in.w;
    }
    *out = {result[0], result[1], result[2], result[3]};
}

void Matrix4MultPointH(const s_Matrix4* m, s_Vector4* out, const s_Vector3* p) {
    const s_Vector4 point = {p->x, p->y, p->z, 1.0f};
    Matrix4MultVector4(m, out, &point);
}

void Matrix4RotPoints(const s_Matrix4* m, s_Vector3* out, const s_Vector3* in, s32 count) {
    for (s32 i = 0; i < count; ++i) {
        const Vec src = {in[i].x, in[i].y, in[i].z};
        Vec dst;
        PSMTXMultVecSR(AsMtx44(m), &src, &dst);
        out[i] = {dst.x, dst.y, dst.z, in[i].w};
    }
}

void Matrix4MultPoints(const s_Matrix4* m, s_Vector3* out, const s_Vector3* in, s32 count) {
    Matrix4RotPoints(m, out, in, count);
    for (s32 i = 0; i < count; ++i) {
        out[i].x += m->at(0, 3);
        out[i].y += m->at(1, 3);
        out[i].z += m->at(2, 3);
    }
}

void Matrix4BackRotPoint(const s_Matrix4* m, s_Vector3* out, const s_Vector3* p) {
    const s_Matrix4 back = TransposedRotation(m);
    Matrix4RotPoints(&back, out, p, 1);
}
