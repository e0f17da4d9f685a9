#include "orblib47/source/TrackBall.h"

#include <cmath>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/UIObject.h"

s_Quaternion TrackballQuat{0.0f, 0.0f, 0.0f, 1.0f};
f32 TrackballSize = 1.0f;
s_Vector2 TrackballMousePos{};
s32 TrackballTracking = 0;
s_thread* TrackballUiThreadPtr = nullptr;
s_Vector3 TrackballCameraPos{};
f32 TrackBallSpeed = 1.0f;
s32 TrackBallEnabled = 0;

namespace {

constexpr u32 kUiThreadPriority = 5500;
constexpr f32 kCameraSize = 1.5f;

// One frame of a drag with the pointer at (mx, my) from the trackball's origin.
void Drag(s_Matrix4* out, f32 mx, f32 my, s32 flip) {
    if ((Mouse.buttonNew & MOUSE_BUTTON_1) != 0) {
        TrackballMousePos = {mx, my};
        TrackballTracking = 1;
    } else if (TrackballTracking != 0 && (Mouse.buttonDown & MOUSE_BUTTON_1) != 0) {
        if (mx != TrackballMousePos.x || my != TrackballMousePos.y) {
            const f32 cx = f32(DrawContext.screenSize.x) / 2.0f;
            const f32 cy = f32(DrawContext.screenSize.y) / 2.0f;
            s_Quaternion q;
            TrackballCalcQuat(&q, TrackballMousePos.x / cx, -TrackballMousePos.y / cy, mx / cx, -my / cy,
                              flip);
            QuatAdd(&TrackballQuat, &TrackballQuat, &q);
            TrackballMousePos = {mx, my};
        }
    } else {
        TrackballTracking = 0;
    }
    *out = IDMatrix4;
    QuatToMatrix4(out, &TrackballQuat);
}

}  // namespace

void TrackballColdReset() {
    TrackballInit(1.0f);
    TrackballCameraPos = {};
    TrackBallSpeed = 1.0f;
    TrackBallEnabled = 0;
    TrackballUiThreadPtr = nullptr;
}

void TrackballWarmReset() {
    TrackballUiThreadPtr = nullptr;  // the task list was rebuilt
}

void TrackballInit(f32 size) {
    const s_Quaternion identity{0.0f, 0.0f, 0.0f, 1.0f};
    TrackballInitQuat(&identity, size);
}

void TrackballInitQuat(const s_Quaternion* q, f32 size) {
    TrackballQuat = *q;
    TrackballSize = size;
    TrackballTracking = 0;
}

void TrackballUpdate(s_Matrix4* out, const s_Vector2* origin) {
    Drag(out, f32(Mouse.analog[MOUSE_X]) - origin->x, f32(Mouse.analog[MOUSE_Y]) - origin->y, 0);
}

void TrackballUpdateCamera(s_Matrix4* out) {
    Drag(out, f32(Mouse.analog[MOUSE_X] - DrawContext.screenSize.x / 2),
         f32(Mouse.analog[MOUSE_Y] - DrawContext.screenSize.y / 2), 1);
}

void TrackballCalcQuat(s_Quaternion* q, f32 p1x, f32 p1y, f32 p2x, f32 p2y, s32 flip) {
    if (p1x == p2x && p1y == p2y) {
        *q = {0.0f, 0.0f, 0.0f, 1.0f};
        return;
    }
    const f32 side = flip != 0 ? -1.0f : 1.0f;
    const s_Vector3 p1{p1x, p1y, side * TrackballProject2Sphere(TrackballSize, p1x, p1y), 0.0f};
    const s_Vector3 p2{p2x, p2y, side * TrackballProject2Sphere(TrackballSize, p2x, p2y), 0.0f};
    s_Vector3 axis;
    Vect3Cross(&axis, &p2, &p1);
    const f32 dx = p1.x - p2.x;
    const f32 dy = p1.y - p2.y;
    const f32 dz = p1.z - p2.z;
    f32 t = std::sqrt(dx * dx + dy * dy + dz * dz) / (2.0f * TrackballSize);
    t = t > 1.0f ? 1.0f : t < -1.0f ? -1.0f : t;
    AxisAndAngle2Quat(q, &axis, 2.0f * std::asin(t));
}

f32 TrackballProject2Sphere(f32 r, f32 x, f32 y) {
    const f32 d = std::sqrt(x * x + y * y);
    if (d < r * 0.70710678f)
        return std::sqrt(r * r - d * d);
    const f32 t = r / 1.41421356f;
    return t * t / d;
}

void TrackballUiStartup(const s_Vector3* eye, const s_Vector3* target, f32 speed) {
    TrackballUiShutdown();
    TrackBallSpeed = speed;
    TrackBallEnabled = 1;
    s_Matrix4 camera;
    Matrix4LookAt(&camera, target, eye);
    DrawSetCamera(&camera, eye);
    s_Quaternion q;
    Matrix4ToQuat(&q, &camera);
    TrackballInitQuat(&q, kCameraSize);
    TrackballCameraPos = *eye;
    TrackballUiThreadPtr = ThreadInsertPriorityDebug("TrackballUiThread", nullptr, nullptr, TrackballUiThread,
                                                     nullptr, kUiThreadPriority);
}

void TrackballUiShutdown() {
    if (TrackballUiThreadPtr != nullptr)
        ThreadKill(TrackballUiThreadPtr);
    TrackballUiThreadPtr = nullptr;
}

s32 TrackballUiEnable(s32 on) {
    const s32 previous = TrackBallEnabled;
    TrackBallEnabled = on;
    return previous;
}

void TrackballUiThread(s_thread*, void*) {
    if (TrackBallEnabled == 0 || UIDisableMouse != 0)
        return;
    s_Matrix4 camera;
    TrackballUpdateCamera(&camera);
    s_Matrix4 inverse;
    Matrix4Transpose(&inverse, &camera);
    s_Vector3 move{0.0f, 0.0f, f32(Mouse.analog[MOUSE_WHEEL]) * TrackBallSpeed, 0.0f};
    if ((Mouse.buttonDown & MOUSE_BUTTON_2) != 0) {
        move.x = -f32(Mouse.analog[MOUSE_MOVE_X]) * 0.1f * TrackBallSpeed;
        move.y = f32(Mouse.analog[MOUSE_MOVE_Y]) * 0.1f * TrackBallSpeed;
    }
    Matrix4RotPoints(&inverse, &move, &move, 1);
    TrackballCameraPos.x += move.x;
    TrackballCameraPos.y += move.y;
    TrackballCameraPos.z += move.z;
    s_Vector3 translation{-TrackballCameraPos.x, -TrackballCameraPos.y, -TrackballCameraPos.z, 0.0f};
    Matrix4RotPoints(&camera, &translation, &translation, 1);
    camera.element[3] = translation.x;
    camera.element[7] = translation.y;
    camera.element[11] = translation.z;
    DrawSetCamera(&camera, &TrackballCameraPos);
}
