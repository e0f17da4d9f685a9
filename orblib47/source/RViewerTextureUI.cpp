#include <algorithm>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OpenFileDialog.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/TrackBall.h"

namespace {

constexpr f32 kSpeed = 3.0f;
constexpr f32 kTrackballSize = 0.4f;
constexpr f32 kWheelStep = 0.25f;
constexpr f32 kBiasStep = 0.1f;
constexpr f32 kBiasLimit = 10.0f;
// The pad slots of the stick's four directions, each 0..128.
constexpr s32 kStickLeft = 4;
constexpr s32 kStickRight = 5;
constexpr s32 kStickUp = 6;
constexpr s32 kStickDown = 7;

f32 ZoomTarget = 0.0f;

f32 StickAxis(const s_pad& pad, s32 positive, s32 negative) {
    return f32(pad.analog[positive] - pad.analog[negative]) / 128.0f;
}

void ResetBias() {
    TextureLODBiasK = TextureLODBiasKOrig;
    TextureLODBiasL = TextureLODBiasLOrig;
}

void PadControls(s_Vector3* position, s_Vector3* rotation, f32* zoom, s_Matrix4* matrix) {
    const s_pad& pad = Pad[0];
    const f32 dt = RealDeltaTime;
    position->x -= kSpeed * StickAxis(pad, kStickRight, kStickLeft) * dt;
    position->y += kSpeed * StickAxis(pad, kStickUp, kStickDown) * dt;
    if ((pad.bdown & PAD_2) != 0)
        *zoom -= kSpeed * dt;
    else if ((pad.bdown & PAD_1) != 0)
        *zoom += kSpeed * dt;
    Matrix4CreateXYZ(matrix, rotation->x, rotation->y, rotation->z);
    if ((pad.bnew & PAD_MINUS) != 0) {
        *position = {};
        *rotation = {};
        *zoom = 0.0f;
        ResetBias();
    }
}

bool PointerOverList() {
    const s_window_obj* list = OpenFileDialogPtrGet();
    if (list == nullptr)
        return false;
    const s_Irect16& r = list->obj.rect;
    const s32 x = Mouse.analog[MOUSE_X];
    const s32 y = Mouse.analog[MOUSE_Y];
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

void MouseControls(s_Vector3* position, f32* zoom, s_Matrix4* matrix) {
    s_Vector3 screen;
    const s_Vector3 centre{position->x, position->y, *zoom, 0.0f};
    const f32 depth = DrawWorld2Screen(&screen, &centre);
    const s_Vector2 origin{screen.x, screen.y};
    TrackballUpdate(matrix, &origin);
    if ((Pad[0].bnew & PAD_MINUS) != 0) {
        TrackballInit(kTrackballSize);
        *position = {};
        *zoom = 0.0f;
        ZoomTarget = 0.0f;
        ResetBias();
        return;
    }
    ZoomTarget -= kWheelStep * f32(Mouse.analog[MOUSE_WHEEL]);
    *zoom += (ZoomTarget - *zoom) * 0.25f;
    if ((Mouse.buttonDown & MOUSE_BUTTON_2) != 0 && depth > 0.0f) {
        position->x += f32(Mouse.analog[MOUSE_MOVE_X]) / depth;
        position->y -= f32(Mouse.analog[MOUSE_MOVE_Y]) / depth;
    }
}

}  // namespace

void RViewerTextureUIReset() {
    ZoomTarget = 0.0f;
}

void RViewerViewTextureUI(s_texture*, s_Vector3* position, s_Vector3* rotation, f32* zoom,
                          s_Matrix4* matrix) {
    if (Mouse.connected == 0) {
        PadControls(position, rotation, zoom, matrix);
    } else {
        if (PointerOverList())
            return;
        MouseControls(position, zoom, matrix);
    }
    matrix->at(0, 3) = position->x;
    matrix->at(1, 3) = position->y;
    matrix->at(2, 3) = *zoom;
    if ((Pad[0].brepeat & PAD_C) != 0)
        TextureLODBiasK = std::min(TextureLODBiasK + kBiasStep, kBiasLimit);
    if ((Pad[0].brepeat & PAD_Z) != 0)
        TextureLODBiasK = std::max(TextureLODBiasK - kBiasStep, -kBiasLimit);
}
