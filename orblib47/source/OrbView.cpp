#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"

namespace {

float Dot3(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Rows right, up and back, and the translation that moves eye to the origin.
void SetViewRows(s_Matrix4* m, const s_Vector3& right, const s_Vector3& up, const s_Vector3& back,
                 const s_Vector3& eye) {
    *m = {{right.x, right.y, right.z, -Dot3(right, eye),  //
           up.x, up.y, up.z, -Dot3(up, eye),              //
           back.x, back.y, back.z, -Dot3(back, eye),      //
           0.0f, 0.0f, 0.0f, 1.0f}};
}

}  // namespace

void Matrix4CreateCameraMatrix(s_Matrix4* m, const s_Vector3* pos, const s_Vector3* angles) {
    *m = IDMatrix4;
    Matrix4RotateX(m, -angles->x);
    Matrix4RotateZ(m, -angles->z);
    Matrix4RotateY(m, -angles->y);
    const s_Vector3 back = {-pos->x, -pos->y, -pos->z, 0.0f};
    s_Vector3 t;
    Matrix4RotPoints(m, &t, &back, 1);
    m->element[3] = t.x;
    m->element[7] = t.y;
    m->element[11] = t.z;
}

void Matrix4LookAt(s_Matrix4* m, const s_Vector3* target, const s_Vector3* eye) {
    s_Vector3 back = {eye->x - target->x, eye->y - target->y, eye->z - target->z, 0.0f};
    // Looking straight up or down: nudge off the world's up axis so right is defined.
    if (back.x == 0.0f && back.z == 0.0f)
        back.x = 0.001f;
    Vect3Normal(&back, &back);
    s_Vector3 right = {back.z, 0.0f, -back.x, 0.0f};
    Vect3Normal(&right, &right);
    s_Vector3 up;
    Vect3Cross(&up, &back, &right);
    Vect3Normal(&up, &up);
    SetViewRows(m, right, up, back, *eye);
}

void Matrix4LookUp(s_Matrix4* m, const s_Vector3* eye, const s_Vector3* target, const s_Vector3* up) {
    s_Vector3 f = {target->x - eye->x, target->y - eye->y, target->z - eye->z, 0.0f};
    Vect3Normal(&f, &f);
    s_Vector3 right;
    Vect3Cross(&right, &f, up);
    Vect3Normal(&right, &right);
    s_Vector3 u;
    Vect3Cross(&u, &right, &f);
    Vect3Normal(&u, &u);
    const s_Vector3 back = {-f.x, -f.y, -f.z, 0.0f};
    SetViewRows(m, right, u, back, *eye);
}

void Matrix4CreateProjection(s_Matrix4* m, s_Matrix4* inv, float l, float r, float b, float t, float n,
                             float f, float sx, float sy) {
    l *= sx;
    r *= sx;
    b *= sy;
    t *= sy;
    *m = s_Matrix4{};
    m->element[0] = 2.0f * n / (r - l);
    m->element[2] = (r + l) / (r - l);
    m->element[5] = 2.0f * n / (t - b);
    m->element[6] = (t + b) / (t - b);
    m->element[10] = -n / (f - n);
    m->element[11] = -f * n / (f - n);
    m->element[14] = -1.0f;
    *inv = IDMatrix4;
    inv->element[0] = (r - l) / (2.0f * n);
    inv->element[3] = (r + l) / (2.0f * n);
    inv->element[5] = (t - b) / (2.0f * n);
    inv->element[7] = (t + b) / (2.0f * n);
    inv->element[10] = 0.0f;
    inv->element[11] = -1.0f;
    inv->element[14] = -(f - n) / (f * n);
    inv->element[15] = 1.0f / f;
}

void Matrix4CreateOrtho(s_Matrix4* m, float l, float r, float b, float t, float n, float f) {
    if (DrawContext.screenAspectMode == DC_SCREEN_ASPECT_16x9) {
        constexpr float widen = 1.7777778f / 1.3333334f;
        l *= widen;
        r *= widen;
    }
    *m = IDMatrix4;
    m->element[0] = 2.0f / (r - l);
    m->element[3] = -(r + l) / (r - l);
    m->element[5] = 2.0f / (t - b);
    m->element[7] = -(t + b) / (t - b);
    m->element[10] = -1.0f / (f - n);
    m->element[11] = -f / (f - n);
}
