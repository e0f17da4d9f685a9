// The 3-D debug primitives.
#include "orblib47/source/DebugDraw.h"

void DebugDrawCircle(const s_Vector3*, f32, const s_Vector3*, u32, u8) {}
void DebugDrawSphere(const s_Vector3*, f32, u32, u8, u8) {}
void DebugDrawFillSphere(const s_Vector3*, f32, u32) {}
void DebugDrawCoord(const s_Vector3*, const s_CoordSys3*, f32) {}
void DebugDrawFilledGrid(s32, f32, u32, u32) {}
