#include <cmath>

#include "orblib47/source/OrbMath.h"

void AxisAndAngle2Quat(s_Quaternion* q, const s_Vector3* axis, float a) {
    s_Vector3 n = *axis;
    Vect3Normal(&n, &n);
    const s_SinCos half = TableSinCos(a * 0.5f);
    *q = {n.x * half.sin, n.y * half.sin, n.z * half.sin, half.cos};
}

void QuatMult(s_Quaternion* out, const s_Quaternion* a, const s_Quaternion* b) {
    const s_Quaternion p = {
        a->y * b->z - a->z * b->y + a->w * b->x + b->w * a->x,
        a->z * b->x - a->x * b->z + a->w * b->y + b->w * a->y,
        a->x * b->y - a->y * b->x + a->w * b->z + b->w * a->z,
        a->w * b->w - (a->x * b->x + a->y * b->y + a->z * b->z),
    };
    *out = p;
}

void QuatAdd(s_Quaternion* out, const s_Quaternion* a, const s_Quaternion* b) {
    s_Quaternion p;
    QuatMult(&p, a, b);
    s_Vector4 v = {p.x, p.y, p.z, p.w};
    Vect4Normal(&v, &v);
    *out = {v.x, v.y, v.z, v.w};
}

void QuatToMatrix4(s_Matrix4* m, const s_Quaternion* q) {
    const float x = q->x, y = q->y, z = q->z, w = q->w;
    m->element[0] = 1.0f - 2.0f * (y * y + z * z);
    m->element[1] = 2.0f * (x * y + w * z);
    m->element[2] = 2.0f * (x * z - w * y);
    m->element[4] = 2.0f * (x * y - w * z);
    m->element[5] = 1.0f - 2.0f * (x * x + z * z);
    m->element[6] = 2.0f * (y * z + w * x);
    m->element[8] = 2.0f * (x * z + w * y);
    m->element[9] = 2.0f * (y * z - w * x);
    m->element[10] = 1.0f - 2.0f * (x * x + y * y);
}

void Matrix4ToQuat(s_Quaternion* q, const s_Matrix4* m) {
    const float trace = m->at(0, 0) + m->at(1, 1) + m->at(2, 2);
    if (trace > 0.0f) {
        const float s = float(OrbSqrt(1.0f + trace));
        const float k = 0.5f / s;
        *q = {k * (m->at(1, 2) - m->at(2, 1)), k * (m->at(2, 0) - m->at(0, 2)),
              k * (m->at(0, 1) - m->at(1, 0)), 0.5f * s};
        return;
    }
    // Build from the largest diagonal entry, which keeps s away from 0.
    int i = 0;
    if (m->at(1, 1) > m->at(0, 0))
        i = 1;
    if (m->at(2, 2) > m->at(i, i))
        i = 2;
    const int j = (i + 1) % 3, k = (j + 1) % 3;
    float s = float(OrbSqrt(1.0f + m->at(i, i) - (m->at(j, j) + m->at(k, k))));
    float v[3];
    v[i] = 0.5f * s;
    if (s != 0.0f)
        s = 0.5f / s;
    v[j] = s * (m->at(i, j) + m->at(j, i));
    v[k] = s * (m->at(i, k) + m->at(k, i));
    *q = {v[0], v[1], v[2], s * (m->at(j, k) - m->at(k, j))};
}

void QuatSlerp(s_Quaternion* out, const s_Quaternion* a, const s_Quaternion* b, float t) {
    float d = a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
    float sign = 1.0f;
    if (d < 0.0f) {
        d = -d;
        sign = -1.0f;
    }
    float ka = 1.0f - t, kb = t;
    if (1.0f - d > 0.000001f) {
        const float angle = std::acos(d);
        const float s = std::sin(angle);
        ka = std::sin((1.0f - t) * angle) / s;
        kb = std::sin(t * angle) / s;
    }
    kb *= sign;
    *out = {ka * a->x + kb * b->x, ka * a->y + kb * b->y, ka * a->z + kb * b->z, ka * a->w + kb * b->w};
}

void CoordSys3ToMatrix4(s_Matrix4* m, const s_CoordSys3* cs) {
    *m = {{-cs->right.x, cs->up.x, cs->forward.x, 0.0f,  //
           -cs->right.y, cs->up.y, cs->forward.y, 0.0f,  //
           -cs->right.z, cs->up.z, cs->forward.z, 0.0f,  //
           0.0f, 0.0f, 0.0f, 1.0f}};
}

void Matrix4ToCoordSys3(s_CoordSys3* cs, const s_Matrix4* m) {
    s_Vector3* axes[3] = {&cs->right, &cs->up, &cs->forward};
    for (int c = 0; c < 3; ++c) {
        axes[c]->x = m->at(0, c);
        axes[c]->y = m->at(1, c);
        axes[c]->z = m->at(2, c);
    }
    cs->right.x = -cs->right.x;
    cs->right.y = -cs->right.y;
    cs->right.z = -cs->right.z;
}

void QuatCoordSysToMatrix4(s_Matrix4* m, const s_QuatCoordSys* t) {
    QuatToMatrix4(m, &t->quat);
    // m = m S: scale first, then rotate.
    const float scale[3] = {t->scale.x, t->scale.y, t->scale.z};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c)
            m->at(r, c) *= scale[c];
    }
    m->at(0, 3) = t->trans.x;
    m->at(1, 3) = t->trans.y;
    m->at(2, 3) = t->trans.z;
}

void Matrix4ToQuatCoordSys(s_QuatCoordSys* t, const s_Matrix4* m) {
    t->scale.x = t->scale.y = t->scale.z = 1.0f;
    t->trans.x = m->at(0, 3);
    t->trans.y = m->at(1, 3);
    t->trans.z = m->at(2, 3);
    Matrix4ToQuat(&t->quat, m);
}
