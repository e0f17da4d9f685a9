#include "orblib47/source/OrbMath.h"

float Vect3Normal(s_Vector3* out, const s_Vector3* v) {
    const float length = float(OrbSqrt(v->x * v->x + v->y * v->y + v->z * v->z));
    if (length != 0.0f) {
        const float inv = 1.0f / length;
        out->x = v->x * inv;
        out->y = v->y * inv;
        out->z = v->z * inv;
    }
    return length;
}

float Vect4Normal(s_Vector4* out, const s_Vector4* v) {
    const float length = float(OrbSqrt(v->x * v->x + v->y * v->y + v->z * v->z + v->w * v->w));
    if (length != 0.0f) {
        const float inv = 1.0f / length;
        out->x = v->x * inv;
        out->y = v->y * inv;
        out->z = v->z * inv;
        out->w = v->w * inv;
    }
    return length;
}

void Vect3Interpolate(s_Vector3* out, const s_Vector3* a, const s_Vector3* b, float t) {
    out->x = a->x + t * (b->x - a->x);
    out->y = a->y + t * (b->y - a->y);
    out->z = a->z + t * (b->z - a->z);
}

void Vect4Interpolate(s_Vector4* out, const s_Vector4* a, const s_Vector4* b, float t) {
    out->x = a->x + t * (b->x - a->x);
    out->y = a->y + t * (b->y - a->y);
    out->z = a->z + t * (b->z - a->z);
    out->w = a->w + t * (b->w - a->w);
}
