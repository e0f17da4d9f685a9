// The state a picture test draws its 3-D models in: a clear colour, a camera
// from `eye` at `target`, depth testing, texturing and the default lights.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawLights.h"

inline void SetUpLitScene(const s_Vector3& eye, const s_Vector3& target) {
    DrawSetProjection(DC_PROJ_3D);
    DrawSetClearColor(0x405060FF);
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &target, &eye);
    DrawSetCamera(&camera, &eye);
    DrawSetZBufferMode(DC_ZMODE_LESS_EQUAL);
    DrawEnableTexture(1);
    DrawEnableLight(1);
    DrawSetDefaultLights();
}
