// The virtual trackball of the developer viewers: pointer drags projected onto a
// sphere that blends into a hyperbolic sheet away from its centre, the rotation
// from one point to the next accumulated in one quaternion. The object form spins
// what is drawn at a screen point; the camera form turns the view the other way
// and drives the fly camera's task. One trackball serves the whole program.
#pragma once

#include "orblib47/source/OrbMath.h"

struct s_thread;

extern s_Quaternion TrackballQuat;
extern f32 TrackballSize;            // the sphere's radius in half-screens
extern s_Vector2 TrackballMousePos;  // the pointer at the last update of a drag
extern s32 TrackballTracking;
extern s_thread* TrackballUiThreadPtr;
extern s_Vector3 TrackballCameraPos;
extern f32 TrackBallSpeed;
extern s32 TrackBallEnabled;

void TrackballColdReset();
void TrackballWarmReset();
void TrackballInit(f32 size);
void TrackballInitQuat(const s_Quaternion* q, f32 size);
// The accumulated rotation after this frame's drag of the first button, the pointer
// measured from `origin`, the object's screen point.
void TrackballUpdate(s_Matrix4* out, const s_Vector2* origin);
// The same from the screen centre, turning the other way.
void TrackballUpdateCamera(s_Matrix4* out);
// The rotation carrying point 1 to point 2 (half-screens, y up) on the sphere of
// TrackballSize; flip lifts the points onto its far side.
void TrackballCalcQuat(s_Quaternion* q, f32 p1x, f32 p1y, f32 p2x, f32 p2y, s32 flip);
f32 TrackballProject2Sphere(f32 r, f32 x, f32 y);
// Makes the camera look from eye at target and starts the fly camera's task: the
// first button turns the view, the second moves it across, the wheel along it.
void TrackballUiStartup(const s_Vector3* eye, const s_Vector3* target, f32 speed);
void TrackballUiShutdown();
// Returns the previous setting.
s32 TrackballUiEnable(s32 on);
void TrackballUiThread(s_thread* task, void* record);
