#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/TrackBall.h"

s_toolbar ModelViewerToolBar{};
s_toolbar_button ModelToolBarButtons[TOOLBAR_BUTTON_COUNT] = {
    {ICON_RESET_VIEW, {}, "Reset Camera View"},
    {ICON_FINE_ZOOM, {}, "Fine Scroll Zoom"},
    {ICON_ROTATE_X, {}, "Enable X Rotation"},
    {ICON_ROTATE_Y, {}, "Enable Y Rotation"},
    {ICON_CAMERA_1, {}, "Camera View #1"},
    {ICON_CAMERA_2, {}, "Camera View #2"},
    {ICON_CAMERA_3, {}, "Camera View #3"},
    {ICON_POLYLINE, {}, "Polyline Display"},
    {ICON_POLYGON, {}, "Polygon Display"},
    {ICON_TEXTURE, {}, "Texture ON/OFF"},
    {ICON_LIGHTING, {}, "Lighting ON/OFF"},
    {ICON_BONES, {}, "Model Bones ON/OFF"},
    {ICON_SPHERES, {}, "Collision Spheres ON/OFF"},
    {ICON_BOUNDS, {}, "Bounding Box"},
    {ICON_ANIM_DIALOG, {}, "Animation Dialog Control"},
    {ICON_TEXTURE_VARIANT, {}, "Texture Variant Swap"},
};

namespace {

constexpr u32 kSelectedTint = 0xE0E080FF;
constexpr u32 kWhite = 0xFFFFFFFF;
constexpr u32 kOutline = 0x000000FF;
constexpr u32 kTipFill = 0x000040C0;
constexpr u32 kTipOutline = 0x2020C0C0;

s_toolbar_button* FindIcon(const s_toolbar* toolbar, s32 iconID) {
    if (toolbar->buttonList == nullptr)
        return nullptr;
    for (s32 i = 0; i < toolbar->numIcons; ++i)
        if (toolbar->buttonList[i].iconID == iconID)
            return &toolbar->buttonList[i];
    return nullptr;
}

bool Toggle(s_toolbar* toolbar, s32 iconID) {
    const bool on = RViewerToolBarGetIconState(toolbar, iconID) == 0;
    RViewerToolBarSetIconState(toolbar, iconID, on ? 1 : 0);
    return on;
}

// The toggles that mirror a menu tick.
void ToggleItem(s_toolbar* toolbar, s32 iconID, s_menu_item* items, s32 count, s32 id) {
    RViewerSetItemChecked(items, count, id, Toggle(toolbar, iconID));
}

void ChooseDrawMode(s_toolbar* toolbar, e_POLYGON_MODE mode) {
    RViewerToolBarSetIconState(toolbar, ICON_POLYLINE, mode == DC_POLY_DRAW_LINE);
    RViewerToolBarSetIconState(toolbar, ICON_POLYGON, mode == DC_POLY_DRAW_FILL);
    RViewerCheckOne(ModeMenuItems, 0, 2, RViewerMenuItem(ModeMenuItems, 3, mode));
    RVModelLocals.polyDrawMode = mode;
}

void ChooseRotation(s_toolbar* toolbar, s32 iconID, s32 otherID) {
    s_rvlocals& locals = RVModelLocals;
    Toggle(toolbar, iconID);
    RViewerToolBarSetIconState(toolbar, otherID, 0);
    locals.centerPos = locals.screenPos;
    DisableUiUntilMouseRelease = 1;
}

void ResetView() {
    s_rvlocals& locals = RVModelLocals;
    const s_Vector3 target{0.0f, 0.0f, 0.0f, 0.0f};
    const s_Vector3 eye{0.0f, 0.0f, 3.0f, 0.0f};
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &target, &eye);
    DrawSetCamera(&camera, &eye);
    NewTarget = target;
    NewCamera = eye;
    locals.pos = {};
    locals.rot = {};
    if (locals.hmodel != nullptr)
        HModelUpdateMatrix(locals.hmodel, &IDMatrix4);
    locals.newz = 0.0f;
    TrackballInit(0.4f);
}

void NextTextureVariant() {
    s_rvlocals& locals = RVModelLocals;
    if (locals.hmodel == nullptr || locals.hmodel->model == nullptr)
        return;
    const s_model* model = locals.hmodel->model;
    const s_texture* texture = model->numTextureDefs > 0 ? model->textureDefs[0].texture : nullptr;
    const s32 children = texture != nullptr ? texture->file.numChildTextures : 0;
    locals.textureVariantIndex = RViewerNextTextureVariant(locals.textureVariantIndex, children);
    HModelSetTextureVariant(locals.hmodel, u8(locals.textureVariantIndex));
}

void DrawToolTip(const char* text) {
    const f32 width = FontStringWidth(text);
    const f32 x = RViewerToolTipX(f32(Mouse.analog[MOUSE_X]), width);
    const f32 y = f32(Mouse.analog[MOUSE_Y]);
    const s_Irect16 box{s16(x - 8.0f), s16(y - 20.0f), s16(width + 16.0f), s16(FontCharHeight() + 4.0f)};
    DrawSetTexture(nullptr);
    DrawSetFlatColor(kTipFill);
    DrawFilledIrect(&box);
    DrawSetFlatColor(kTipOutline);
    DrawIrect(&box);
    DrawSetFlatColor(kOutline);
    FontDrawString(text, 0, x + 1.0f, y + 1.0f);
    DrawSetFlatColor(kWhite);
    FontDrawString(text, 0, x, y);
}

}  // namespace

s32 RViewerNextTextureVariant(s32 variant, s32 children) {
    return variant >= children ? 0 : variant + 1;
}

f32 RViewerToolTipX(f32 pointerX, f32 textWidth) {
    const f32 screenWidth = f32(DrawContext.screenSize.x);
    const f32 x = pointerX + 8.0f;
    return x + textWidth > screenWidth - 10.0f ? screenWidth - textWidth : x;
}

s32 RViewerModelCreateToolBar() {
    s_toolbar& toolbar = ModelViewerToolBar;
    toolbar = {};
    for (s_toolbar_button& button : ModelToolBarButtons)
        button.flags = {};
    toolbar.texture = TextureLoad("RVIEWERICONS");
    if (toolbar.texture == nullptr)
        return 0;
    // z 0: the front of the 2-D depth range.
    toolbar.position = {f32(DrawContext.screenSize.x / 2 - 256),
                        f32(DrawContext.screenSize.y - DrawContext.screenTitleSafe.y - TOOLBAR_ICON_SIZE),
                        0.0f, 0.0f};
    toolbar.iconSizeX = toolbar.iconSizeY = TOOLBAR_ICON_SIZE;
    toolbar.dX = TOOLBAR_BUTTON_COUNT;
    toolbar.numIcons = TOOLBAR_BUTTON_COUNT;
    toolbar.buttonList = ModelToolBarButtons;
    for (s32 icon : {ICON_TEXTURE, ICON_LIGHTING, ICON_POLYGON, ICON_CAMERA_1})
        RViewerToolBarSetIconState(&toolbar, icon, 1);
    return 1;
}

void RViewerModelFreeToolBar(s_toolbar* toolbar) {
    if (toolbar->texture != nullptr)
        TextureFree(toolbar->texture);
    toolbar->texture = nullptr;
}

void RViewerToolBarSetIconState(s_toolbar* toolbar, s32 iconID, u32 state) {
    if (toolbar->buttonList == nullptr)
        return;
    for (s32 i = 0; i < toolbar->numIcons; ++i)
        if (toolbar->buttonList[i].iconID == iconID)
            toolbar->buttonList[i].flags.Selected = state;
}

u32 RViewerToolBarGetIconState(const s_toolbar* toolbar, s32 iconID) {
    const s_toolbar_button* button = FindIcon(toolbar, iconID);
    return button != nullptr ? button->flags.Selected : 0;
}

s32 RViewerGetToolBarButtonId(const s_toolbar* toolbar) {
    if (toolbar->texture == nullptr || UIDisableMouse != 0 || toolbar->dX <= 0)
        return -1;
    const s32 dx = Mouse.analog[MOUSE_X] - s32(toolbar->position.x);
    const s32 dy = Mouse.analog[MOUSE_Y] - s32(toolbar->position.y);
    const s32 width = toolbar->iconSizeX * toolbar->dX;
    const s32 height = toolbar->iconSizeY * (toolbar->numIcons / toolbar->dX + 1);
    if (dx < 0 || dy < 0 || dx >= width || dy >= height)
        return -1;
    const s32 index = dx / toolbar->iconSizeX + dy / toolbar->iconSizeY * toolbar->dX;
    return index < toolbar->numIcons ? index : -1;
}

void RViewerDrawToolBar(s_toolbar* toolbar) {
    if (toolbar->texture == nullptr)
        return;
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const f32 cellU = 1.0f / f32(TOOLBAR_SHEET_COLUMNS);
    const f32 cellV = 1.0f / f32(TOOLBAR_SHEET_ROWS);
    for (s32 i = 0; i < toolbar->numIcons; ++i) {
        const s_toolbar_button& button = toolbar->buttonList[i];
        const f32 x = toolbar->position.x + f32(i % toolbar->dX * toolbar->iconSizeX);
        const f32 y = toolbar->position.y + f32(i / toolbar->dX * toolbar->iconSizeY);
        const s_Vector3 p0{x, y, toolbar->position.z, 0.0f};
        const s_Vector3 p1{x + f32(toolbar->iconSizeX), y + f32(toolbar->iconSizeY), toolbar->position.z,
                           0.0f};
        const f32 u = f32(button.iconID % TOOLBAR_SHEET_COLUMNS) * cellU;
        const f32 v = f32(button.iconID / TOOLBAR_SHEET_COLUMNS) * cellV;
        DrawSetTexture(toolbar->texture);
        DrawSetUV(u, v, u + cellU, v + cellV);
        DrawSetFlatColor(button.flags.Selected != 0 ? kSelectedTint : kWhite);
        DrawFilledRect(&p0, &p1);
        DrawSetTexture(nullptr);
        DrawSetFlatColor(kOutline);
        DrawRect(&p0, &p1);
    }
    DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    const s32 hit = RViewerGetToolBarButtonId(toolbar);
    if (hit >= 0 && (Mouse.buttonNew & MOUSE_BUTTON_1) == 0) {
        FontSet(DebugFont);
        DrawToolTip(toolbar->buttonList[hit].helpString);
    }
    DrawSetProjection(projection);
}

void RViewerUpdateToolBar(s_toolbar* toolbar) {
    if (toolbar->texture == nullptr || UIDisableMouse != 0 || (Mouse.buttonNew & MOUSE_BUTTON_1) == 0)
        return;
    const s32 hit = RViewerGetToolBarButtonId(toolbar);
    if (hit < 0)
        return;
    s_rvlocals& locals = RVModelLocals;
    switch (toolbar->buttonList[hit].iconID) {
        case ICON_RESET_VIEW:
            ResetView();
            break;
        case ICON_FINE_ZOOM:
            Toggle(toolbar, ICON_FINE_ZOOM);
            break;
        case ICON_ROTATE_X:
            ChooseRotation(toolbar, ICON_ROTATE_X, ICON_ROTATE_Y);
            break;
        case ICON_ROTATE_Y:
            ChooseRotation(toolbar, ICON_ROTATE_Y, ICON_ROTATE_X);
            break;
        case ICON_POLYLINE:
            ChooseDrawMode(toolbar, DC_POLY_DRAW_LINE);
            break;
        case ICON_POLYGON:
            ChooseDrawMode(toolbar, DC_POLY_DRAW_FILL);
            break;
        case ICON_TEXTURE:
            ToggleItem(toolbar, ICON_TEXTURE, ModeMenuItems, 7, DRAW_TEXTURE);
            break;
        case ICON_LIGHTING:
            ToggleItem(toolbar, ICON_LIGHTING, ModeMenuItems, 7, DRAW_LIGHT);
            break;
        case ICON_BONES:
            ToggleItem(toolbar, ICON_BONES, ViewMenuItems, VIEW_MENU_COUNT, VIEW_BONES);
            break;
        case ICON_SPHERES:
            ToggleItem(toolbar, ICON_SPHERES, ViewMenuItems, VIEW_MENU_COUNT, VIEW_COLLISION_SPHERES);
            break;
        case ICON_BOUNDS:
            ToggleItem(toolbar, ICON_BOUNDS, ViewMenuItems, VIEW_MENU_COUNT, VIEW_BOUNDS);
            break;
        case ICON_ANIM_DIALOG:
            UIDisableMouse = 1;
            DisableUiUntilMouseRelease = 1;
            locals.menuCommand = RVIEWER_COMMAND_LOAD_BANK;
            break;
        case ICON_TEXTURE_VARIANT:
            NextTextureVariant();
            break;
        default:  // the camera views
            break;
    }
}
