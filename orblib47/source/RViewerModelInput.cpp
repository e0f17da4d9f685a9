#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/RViewer.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/TrackBall.h"

namespace {

bool PointerMode() {
    return Mouse.connected != 0 && UIDisableMouse == 0;
}

bool PadMode() {
    return Mouse.connected == 0 && UIDisableMouse == 0;
}

// While set, the pointer is ignored until button 1 is up; true while it waits.
bool WaitingForRelease() {
    if (DisableUiUntilMouseRelease == 0)
        return false;
    if ((Mouse.buttonDown & MOUSE_BUTTON_1) != 0)
        return true;
    DisableUiUntilMouseRelease = 0;
    return false;
}

// +step, -step or 0 by a pair of held buttons; the first listed wins.
f32 Pair(u32 held, u32 minus, u32 plus, f32 step) {
    if ((held & minus) != 0)
        return -step;
    if ((held & plus) != 0)
        return step;
    return 0.0f;
}

void SetTranslation(s_Matrix4* m, const s_Vector3& pos) {
    m->element[3] = pos.x;
    m->element[7] = pos.y;
    m->element[11] = pos.z;
}

void StepCursorSpeed(s_rvlocals* locals) {
    if ((Pad[0].bnew & PAD_MINUS) != 0)
        locals->cursorSpeed = (locals->cursorSpeed + 1) % 3;
}

// The root motion of a playing animation moves the model; true when it did.
bool FollowExport(s_rvlocals& locals) {
    s_hmodel* hmodel = locals.hmodel;
    if (hmodel->layer[ANIM_LAYER_PRIMARY].hanim == nullptr ||
        !RViewerItemChecked(ViewMenuItems, VIEW_MENU_COUNT, VIEW_EXPORT_TRANS))
        return false;
    s_Vector3 trans{};
    s_Matrix4 rot;
    HModelGetExportLayer(hmodel, ANIM_LAYER_PRIMARY, &trans, &rot);
    locals.pos.x += trans.x;
    locals.pos.y += trans.y;
    locals.pos.z += trans.z;
    s_Matrix4 world = hmodel->worldMatrix;
    Matrix4MultMatrix3x3(&world, &world, &rot);
    world.element[3] += trans.x;
    world.element[7] += trans.y;
    world.element[11] += trans.z;
    HModelUpdateMatrix(hmodel, &world);
    return true;
}

void ObjectPad(s_rvlocals& locals) {
    const u32 held = Pad[0].bdown;
    const f32 s = 3.0f * RealDeltaTime;
    locals.pos.x += Pair(held, PAD_LEFT, PAD_RIGHT, s);
    locals.pos.y -= Pair(held, PAD_UP, PAD_DOWN, s);
    locals.pos.z += Pair(held, PAD_2, PAD_1, s);
    locals.rot.y += Pair(held, PAD_Z, PAD_C, s);
    locals.rot.x += Pair(held, PAD_B, PAD_A, s);
    HModelUpdatePosRot(locals.hmodel, &locals.pos, &locals.rot);
}

void ObjectPointer(s_rvlocals& locals) {
    if (WaitingForRelease())
        return;
    if ((Pad[0].bnew & PAD_MINUS) != 0) {
        locals.pos.x = locals.pos.y = 0.0f;
        locals.pos.z = locals.hmodel->model != nullptr ? -locals.hmodel->model->radius : 0.0f;
        locals.newz = locals.pos.z;
    } else {
        const f32 k = RViewerToolBarGetIconState(&ModelViewerToolBar, ICON_FINE_ZOOM) != 0 ? 0.0625f : 0.25f;
        locals.newz -= k * f32(Mouse.analog[MOUSE_WHEEL]);
        locals.pos.z += 0.25f * (locals.newz - locals.pos.z);
        if ((Mouse.buttonDown & MOUSE_BUTTON_2) != 0 && locals.q != 0.0f) {
            locals.pos.x += f32(Mouse.analog[MOUSE_MOVE_X]) / locals.q;
            locals.pos.y -= f32(Mouse.analog[MOUSE_MOVE_Y]) / locals.q;
        }
        if (RViewerToolBarGetIconState(&ModelViewerToolBar, ICON_ROTATE_X) != 0)
            locals.centerPos.x = f32(Mouse.analog[MOUSE_X]);
        if (RViewerToolBarGetIconState(&ModelViewerToolBar, ICON_ROTATE_Y) != 0)
            locals.centerPos.y = f32(Mouse.analog[MOUSE_Y]);
        if ((Mouse.buttonDown & MOUSE_BUTTON_1) == 0)
            locals.centerPos = locals.screenPos;
    }
    s_Matrix4 m;
    const s_Vector2 origin{locals.centerPos.x, locals.centerPos.y};
    TrackballUpdate(&m, &origin);
    SetTranslation(&m, locals.pos);
    HModelUpdateMatrix(locals.hmodel, &m);
}

}  // namespace

void RViewerCursorSteps(s32 cursorSpeed, f32* move, f32* turn) {
    static constexpr f32 kMove[3] = {20.0f, 10.0f, 5.0f};
    static constexpr f32 kTurn[3] = {2.0f, 1.0f, 0.5f};
    const s32 i = cursorSpeed >= 0 && cursorSpeed < 3 ? cursorSpeed : 0;
    *move = kMove[i] * RealDeltaTime;
    *turn = kTurn[i] * RealDeltaTime;
}

void RViewerViewModelUI() {
    s_rvlocals& locals = RVModelLocals;
    if (locals.hmodel == nullptr)
        return;
    if (bSetNewFOV != 0) {
        DrawSetFOV(NewFOV);
        bSetNewFOV = 0;
    }
    if (bNewLookAt != 0) {
        bNewLookAt = 0;
        s_Matrix4 camera;
        Matrix4LookAt(&camera, &NewTarget, &NewCamera);
        DrawSetCamera(&camera, &NewCamera);
    }
    if (FollowExport(locals))
        return;
    if (PadMode()) {
        ObjectPad(locals);
    } else if (PointerMode()) {
        ObjectPointer(locals);
    } else {
        s_Matrix4 world = locals.hmodel->worldMatrix;
        SetTranslation(&world, locals.pos);
        HModelUpdateMatrix(locals.hmodel, &world);
    }
}

void RViewerViewWorldUI(s_rvlocals* locals) {
    s_Matrix4 camera;
    s_Matrix4 back;
    if (PadMode()) {
        Matrix4CreateCameraMatrix(&camera, &locals->pos, &locals->rot);
        Matrix4Transpose(&back, &camera);
        f32 move = 0.0f;
        f32 turn = 0.0f;
        RViewerCursorSteps(locals->cursorSpeed, &move, &turn);
        const s_pad& pad = Pad[0];
        if ((pad.bnew & PAD_PLUS) != 0)
            RViewerCancel = 1;
        StepCursorSpeed(locals);
        locals->rot.y -= Pair(pad.bdown, PAD_LEFT, PAD_RIGHT, turn);
        locals->rot.x += Pair(pad.bdown, PAD_UP, PAD_DOWN, turn);
        locals->rot.z += Pair(pad.bdown, PAD_2, PAD_1, turn);
        const f32 along = -Pair(pad.bdown, PAD_A, PAD_B, move);
        if (along != 0.0f) {
            const s_Vector3 v{0.0f, 0.0f, along, 0.0f};
            s_Vector3 turned;
            Matrix4RotPoints(&back, &turned, &v, 1);
            locals->pos.x += turned.x;
            locals->pos.y += turned.y;
            locals->pos.z += turned.z;
        }
        DrawSetCamera(&camera, &locals->pos);
        return;
    }
    if (!PointerMode() || WaitingForRelease())
        return;
    const s32 savedX = Mouse.analog[MOUSE_X];
    const s32 savedY = Mouse.analog[MOUSE_Y];
    if (RViewerToolBarGetIconState(&ModelViewerToolBar, ICON_ROTATE_X) != 0)
        Mouse.analog[MOUSE_X] = DrawContext.screenCenter.x;
    else if (RViewerToolBarGetIconState(&ModelViewerToolBar, ICON_ROTATE_Y) != 0)
        Mouse.analog[MOUSE_Y] = DrawContext.screenCenter.y;
    TrackballUpdateCamera(&camera);
    Mouse.analog[MOUSE_X] = savedX;
    Mouse.analog[MOUSE_Y] = savedY;
    s_Vector3 v{0.0f, 0.0f, 2.0f * f32(Mouse.analog[MOUSE_WHEEL]), 0.0f};
    if ((Mouse.buttonDown & MOUSE_BUTTON_2) != 0) {
        v.x = -0.05f * f32(Mouse.analog[MOUSE_MOVE_X]);
        v.y = 0.05f * f32(Mouse.analog[MOUSE_MOVE_Y]);
    }
    Matrix4Transpose(&back, &camera);
    s_Vector3 turned;
    Matrix4RotPoints(&back, &turned, &v, 1);
    locals->pos.x += turned.x;
    locals->pos.y += turned.y;
    locals->pos.z += turned.z;
    const s_Vector3 negated{-locals->pos.x, -locals->pos.y, -locals->pos.z, 0.0f};
    s_Vector3 t;
    Matrix4RotPoints(&camera, &t, &negated, 1);
    SetTranslation(&camera, t);
    DrawSetCamera(&camera, &locals->pos);
}

void RViewerObjectUI(s_rvlocals* locals) {
    f32 move = 0.0f;
    f32 turn = 0.0f;
    RViewerCursorSteps(locals->cursorSpeed, &move, &turn);
    StepCursorSpeed(locals);
    const s_pad& pad = Pad[0];
    locals->rot.y -= Pair(pad.bdown, PAD_LEFT, PAD_RIGHT, turn);
    s_Matrix4 m;
    Matrix4CreateXYZ(&m, locals->rot.x, locals->rot.y, locals->rot.z);
    const f32 along = -Pair(pad.bdown, PAD_A, PAD_B, move);
    const s_Vector3 forward{0.0f, 0.0f, 1.0f, 0.0f};
    s_Vector3 axis;
    Matrix4RotPoints(&m, &axis, &forward, 1);
    locals->pos.x += axis.x * along;
    locals->pos.y += axis.y * along;
    locals->pos.z += axis.z * along;
    const s_Vector3 behind{0.0f, 0.0f, -15.0f, 0.0f};
    s_Vector3 offset;
    Matrix4RotPoints(&m, &offset, &behind, 1);
    const s_Vector3 eye{locals->pos.x + offset.x, locals->pos.y + offset.y, locals->pos.z + offset.z, 0.0f};
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &locals->pos, &eye);
    DrawSetCamera(&camera, &eye);
}
