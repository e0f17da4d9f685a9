#include <cmath>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/UIMenu.h"

e_sprite_draw_function RViewerSpriteDrawFunction = SPRITE_FUNCTION_DRAW_SPRITE;
e_sprite_projection_mode RViewerSpriteDrawMode = SPRITE_PROJECTION_3D;
s_sprite_set* RVSpriteSet = nullptr;
s32 RVSpriteNum = 0;
f32 RVSpriteQ = 1.0f;
s_Vector3 RVSpritePos = {};

namespace {

constexpr u32 kWhite = 0xFFFFFFFF;
constexpr f32 kFramesPerSecond = 20.0f;
const s_Vector3 kStart{0.0f, 0.0f, -4.0f, 0.0f};

bool HasAnimations() {
    return RVSpriteSet->numAnimation > 0;
}

// What the scroll bar runs over: the first animation's frames or the cells.
s32 Count() {
    if (RViewerSpriteDrawFunction == SPRITE_FUNCTION_DRAW_ANIM_FRAME ||
        RViewerSpriteDrawFunction == SPRITE_FUNCTION_DRAW_QUAD)
        return HasAnimations() ? s32(RVSpriteSet->animations[0].numFrame) : 0;
    return RVSpriteSet->numSprite;
}

void RViewerViewSpriteThread(s_thread*, void*) {
    const u32 flat = DrawSetFlatColor(kWhite);
    s_Vector3 screen;
    const f32 q = DrawWorld2Screen(&screen, &RVSpritePos);
    RVSpriteQ = q;
    s_Vector3 at = RVSpritePos;
    f32 size = 1.0f;
    e_PROJ_MODE projection;
    if (RViewerSpriteDrawMode == SPRITE_PROJECTION_ORTHO) {
        projection = DrawSetProjection(DC_PROJ_ORTHO);
        at = {screen.x, screen.y, 0.0f, 0.0f};
        size = RVSpriteQ;
    } else {
        projection = DrawSetProjection(DC_PROJ_3D);
    }
    DrawSetTexture(nullptr);
    DrawSquare(&at, size);
    switch (RViewerSpriteDrawFunction) {
        case SPRITE_FUNCTION_DRAW_SPRITE:
            SpriteDrawSprite(RVSpriteSet, RVSpriteNum, &at, size);
            break;
        case SPRITE_FUNCTION_DRAW_PARTICLE:
            SpriteDrawParticle(RVSpriteSet, RVSpriteNum, &at, size);
            break;
        case SPRITE_FUNCTION_DRAW_ANIM_FRAME:
            if (HasAnimations())
                SpriteDrawAnimFrame(RVSpriteSet, 0, RVSpriteNum, &at, size);
            break;
        case SPRITE_FUNCTION_DRAW_QUAD: {
            s_Matrix4 matrix;
            Matrix4CreateScale(&matrix, size, size, size, 1.0f);
            Matrix4RotateZ(&matrix, GameTime);
            matrix.at(0, 3) = at.x;
            matrix.at(1, 3) = at.y;
            matrix.at(2, 3) = at.z;
            SpriteDrawQuad(RVSpriteSet, 0, RVSpriteNum, &matrix);
            break;
        }
    }
    DrawSetProjection(projection);
    DrawSetFlatColor(flat);
}

// Either button drags the sprite across the view; the wheel moves it along.
void MouseMove() {
    if (Mouse.connected == 0 || UIDisableMouse != 0)
        return;
    if ((Mouse.buttonDown & UI_MOUSE_BUTTONS) != 0 && RVSpriteQ > 0.0f) {
        RVSpritePos.x += f32(Mouse.analog[MOUSE_MOVE_X]) / RVSpriteQ;
        RVSpritePos.y -= f32(Mouse.analog[MOUSE_MOVE_Y]) / RVSpriteQ;
    }
    RVSpritePos.z -= f32(Mouse.analog[MOUSE_WHEEL]);
}

}  // namespace

s32 RViewerViewSprite3D(char* name) {
    RViewerFixName(name);
    RVSpriteSet = SpriteLoad(name);
    if (RVSpriteSet == nullptr) {
        DEBUG_PRINT("RViewer: no sprite set %s.\n", name);
        return 0;
    }
    RViewerCancel = 0;
    RViewerOpenMenus(4, ViewSpriteMenus);
    s_menu_item function{};
    function.id = HasAnimations() ? SPRITE_FUNCTION_DRAW_ANIM_FRAME : SPRITE_FUNCTION_DRAW_SPRITE;
    FuncMenuSet(&function);
    s_menu_item projection{};
    projection.id = SPRITE_PROJECTION_3D;
    ProjMenuSet(&projection);
    const s_Vector3 eye{};
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &kStart, &eye);
    DrawSetCamera(&camera, &eye);
    RVSpritePos = kStart;
    RVSpriteNum = 0;
    s_thread* task = ThreadInsertPriorityDebug("RViewerViewSpriteThread", nullptr, nullptr,
                                               RViewerViewSpriteThread, nullptr, RVIEWER_THREAD_PRIORITY);
    const s_Ivector2 safe = DrawContext.screenTitleSafe;
    PlayDialogOpen(safe.x, DrawContext.screenSize.y - safe.y - 108, 0, RVSpriteNum, "Play Animation",
                   "Frame: ");
    s32 shownCount = -1;
    bool playing = false;
    f32 position = 0.0f;
    while (!RViewerViewEnded()) {
        EventWait(1);
        const s32 count = Count();
        if (count != shownCount) {
            shownCount = count;
            PlayResetScrollbar(count, 0);
            RVSpriteNum = 0;
        }
        s32 value = 0;
        const e_play_dialog_state state = PlayDialogQuery(&value);
        if (state == PLAY_DIALOG_PLAY) {
            playing = true;
            position = f32(value);
        } else if (state == PLAY_DIALOG_STOP) {
            playing = false;
        }
        if (playing && count > 0) {
            position = std::fmod(position + kFramesPerSecond * RealDeltaTime, f32(count));
            value = s32(position);
            PlayDialogSetValue(value);
        }
        RVSpriteNum = value;
        MouseMove();
    }
    ThreadKill(task);
    SpriteFree(RVSpriteSet);
    RVSpriteSet = nullptr;
    UIObjectCloseAll();
    PlayDialogsForget();
    return 0;
}
