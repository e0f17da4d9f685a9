#include "orblib47/source/DbugMenu.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/UIMenu.h"

s32 RViewerCancel = 0;

s32 CancelMenuFunc(s_menu_item*) {
    RViewerCancel = 1;
    return 1;
}

s32 QuitMenuFunc(s_menu_item*) {
    RViewerCancel = 1;
    UIQuitFlag = 1;
    return 1;
}

bool RViewerViewEnded() {
    return RViewerCancel != 0 || UIQuitFlag != 0;
}

s32 EventMenuFunc(s_menu_item* item) {
    RViewerEvent = e_rv_event(item->id);
    return 1;
}

namespace {

constexpr u32 kOn = MENU_ITEM_ENABLED;

s_menu_item MainFileItems[] = {
    {kOn, RV_EVENT_OPEN_WAD, "Open . . .", {}, EventMenuFunc},
    {kOn, RV_EVENT_CLOSE_WAD, "Close All", {}, EventMenuFunc},
    {kOn, 0, "-", {}, nullptr},
    {kOn, 0, "Quit", {}, QuitMenuFunc},
};
s_menu_item MainEditItems[] = {
    {kOn, RV_EVENT_EDIT_PARSYS, "Particle Editor", {}, EventMenuFunc},
    {kOn, RV_EVENT_SET_BKG_COLOR, "Background Color", {}, EventMenuFunc},
};
s_menu_item MainViewItems[] = {
    {kOn, RV_EVENT_VIEW_FONT, "Font", {}, EventMenuFunc},
    {kOn, RV_EVENT_VIEW_MODEL, "Model", {}, EventMenuFunc},
    {kOn, RV_EVENT_VIEW_MODEL_GROUP, "Model Group", {}, EventMenuFunc},
    {kOn, RV_EVENT_VIEW_PARSYS, "Particle System", {}, EventMenuFunc},
    {kOn, RV_EVENT_VIEW_SFX, "Sound Effect", {}, EventMenuFunc},
    {kOn, RV_EVENT_VIEW_SPRITE, "Sprite", {}, EventMenuFunc},
    {kOn, RV_EVENT_VIEW_TEXTURE, "Texture", {}, EventMenuFunc},
    {kOn, RV_EVENT_VIEW_WORLD, "World", {}, EventMenuFunc},
};

// Every view's "File" and "View" menus.
s_menu_item DefaultFileItems[] = {
    {kOn, 0, "Cancel", {}, CancelMenuFunc},
    {kOn, 0, "Quit", {}, QuitMenuFunc},
};
s_menu_item DefaultViewItems[] = {
    {kOn, 0, "Timing", {}, ViewTimingMenuFunc},
};

s_menu_item SpriteProjItems[] = {
    {kOn, SPRITE_PROJECTION_ORTHO, "2D Orthographic", {}, ProjMenuSet},
    {kOn | MENU_ITEM_CHECKED, SPRITE_PROJECTION_3D, "3D Perspective", {}, ProjMenuSet},
};
s_menu_item SpriteFuncItems[] = {
    {kOn | MENU_ITEM_CHECKED, SPRITE_FUNCTION_DRAW_SPRITE, "SpriteDrawSprite", {}, FuncMenuSet},
    {kOn, SPRITE_FUNCTION_DRAW_PARTICLE, "SpriteDrawParticle", {}, FuncMenuSet},
    {kOn, SPRITE_FUNCTION_DRAW_ANIM_FRAME, "SpriteDrawAnimFrame", {}, FuncMenuSet},
    {kOn, SPRITE_FUNCTION_DRAW_QUAD, "SpriteDrawQuad", {}, FuncMenuSet},
};

s_menu_item ParSysEditItems[] = {
    {kOn, 0, "Parms", {}, ParSysParmsMenuFunc},
};

s_menu_item CutSceneItems[] = {
    {kOn, 0, "Play", {}, CutScenePlayMenuFunc},
    {kOn, 1, "Stop", {}, CutSceneStopMenuFunc},
};

void TickTiming(s_menu_item* item) {
    if (DebugTimingDisplay != 0)
        item->flags |= MENU_ITEM_CHECKED;
    else
        item->flags &= ~MENU_ITEM_CHECKED;
}

}  // namespace

s_menu RViewerMenus[3] = {
    {"File", {}, 4, MainFileItems},
    {"Edit", {}, 2, MainEditItems},
    {"View", {}, 8, MainViewItems},
};
s_menu DefaultMenus[2] = {
    {"File", {}, 2, DefaultFileItems},
    {"View", {}, 1, DefaultViewItems},
};
s_menu ViewSpriteMenus[4] = {
    {"File", {}, 2, DefaultFileItems},
    {"View", {}, 1, DefaultViewItems},
    {"Proj", {}, 2, SpriteProjItems},
    {"Func", {}, 4, SpriteFuncItems},
};
s_menu ParSysMenus[2] = {
    {"File", {}, 2, DefaultFileItems},
    {"Edit", {}, 1, ParSysEditItems},
};
s_menu CutSceneMenus[2] = {
    {"File", {}, 2, DefaultFileItems},
    {"CutScene", {}, 2, CutSceneItems},
};

s32 ProjMenuSet(s_menu_item* item) {
    RViewerSpriteDrawMode = e_sprite_projection_mode(item->id);
    MenuSetSelected(&ViewSpriteMenus[2], SPRITE_PROJECTION_ORTHO, SPRITE_PROJECTION_3D, s32(item->id));
    return 1;
}

s32 FuncMenuSet(s_menu_item* item) {
    RViewerSpriteDrawFunction = e_sprite_draw_function(item->id);
    MenuSetSelected(&ViewSpriteMenus[3], SPRITE_FUNCTION_DRAW_SPRITE, SPRITE_FUNCTION_DRAW_QUAD,
                    s32(item->id));
    return 1;
}

void RViewerOpenMenus(s32 numMenus, s_menu* menus) {
    FontSet(DebugFont);
    FontSetScale(1.0f, 1.0f);
    MenubarOpen(numMenus, menus, 0);
}

void RViewerOpenMenubar() {
    TickTiming(&DefaultViewItems[0]);
    RViewerOpenMenus(3, RViewerMenus);
}

void RViewerOpenDefaultMenu() {
    TickTiming(&DefaultViewItems[0]);
    RViewerOpenMenus(2, DefaultMenus);
}

void RViewerCloseMenubars() {
    for (s_ui_object* object = UIObjectList.next; object != nullptr; object = object->next) {
        if (object->type == UI_OBJ_MENUBAR)
            UIObjectRequestClose(object);
    }
}
