// The career bowler's figure on the career's menu screens: player slot 0's model
// in the career's look, idling, with the wrist guard the career wears.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

class CCamera;

// Frames the figure beside the menu panel: the camera every career menu with the
// figure uses.
void CareerFigureCamera(CCamera& camera);
// Builds the figure standing at `pos`, turned by `rotationY` degrees.
void CareerFigureBuild(const s_Vector3& pos, f32 rotationY);
// Draws it at `pos` under the lights the caller has set, the idle replayed once done.
void CareerFigureDraw(const s_Vector3& pos);
// Frees the model and the guard.
void CareerFigureFree();
