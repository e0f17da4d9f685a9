#include <algorithm>
#include <cstddef>
#include <iterator>

#include "orblib47/source/DbugMenu.h"
#include "orblib47/source/RViewer.h"
#include "orblib47/source/RViewerModelInternal.h"

namespace {

constexpr u32 kOn = MENU_ITEM_ENABLED;
constexpr u32 kChecked = MENU_ITEM_ENABLED | MENU_ITEM_CHECKED;
constexpr u32 kSeparator = 0xFFFF;  // outside every range the handlers work on

// The tables as a fresh program has them; the views tick and grey their copies.
const s_menu_item kFileMenuItems[] = {
    {kOn, RVIEWER_COMMAND_LOAD_BANK, "Load Animation Bank", {}, ModelMenuCommandFunc},
    {kOn, 257, "Cancel", {}, CancelMenuFunc},
    {kOn, 258, "Quit", {}, QuitMenuFunc},
};
const s_menu_item kEditMenuItems[] = {
    {kOn, 0, "Projection", {}, ProjectionMenuFunc},
};
const s_menu_item kViewMenuItems[] = {
    {kOn, VIEW_BONES, "Bones", {}, ViewMenuFunc},
    {kOn, VIEW_BOUNDS, "Bounds", {}, ViewMenuFunc},
    {kOn, VIEW_LINK_POINTS, "Link Points", {}, ViewMenuFunc},
    {kOn, VIEW_COLLISION_SPHERES, "Collision Spheres", {}, ViewMenuFunc},
    {kOn, VIEW_COLLISION_POLYS, "Collision Polys", {}, ViewMenuFunc},
    {kOn, VIEW_VERTEX_NORMALS, "Vertex Normals", {}, ViewMenuFunc},
    {kOn, kSeparator, "-", {}, nullptr},
    {kOn, VIEW_ANIMATION, "Animation", {}, ViewAnimMenuFunc},
    {0, VIEW_EXPORT_TRANS, "Export Trans", {}, ViewExportTransMenuFunc},
    {kOn, 9, "Material Modes", {}, ViewMaterialMenuFunc},
    {kOn, 10, "Frame Filter Modes", {}, ViewFrameFilterMenuFunc},
};
const s_menu_item kModeMenuItems[] = {
    {kChecked, DC_POLY_DRAW_FILL, "Polygons", {}, ModeMenuFunc},
    {kOn, DC_POLY_DRAW_LINE, "PolyLines", {}, ModeMenuFunc},
    {kOn, DC_POLY_DRAW_POINT, "Points", {}, ModeMenuFunc},
    {kOn, kSeparator, "-", {}, nullptr},
    {kOn, DRAW_TEXTURE, "Texture", {}, ViewMenuFunc},
    {kOn, DRAW_LIGHT, "Light", {}, ViewMenuFunc},
    {kOn, DRAW_TRISTRIPS, "TriStrips", {}, ViewMenuFunc},
};
const s_menu_item kGroupMenuItems[] = {
    {kOn, 0, "Normal", {}, GroupMenuModelTypeFunc},
    {kOn, 1, "Damage 0", {}, GroupMenuModelTypeFunc},
    {kOn, 2, "Damage 1", {}, GroupMenuModelTypeFunc},
    {kOn, 3, "Damage 2", {}, GroupMenuModelTypeFunc},
    {kOn, 4, "Damage 3", {}, GroupMenuModelTypeFunc},
    {kOn, 5, "Damage 4", {}, GroupMenuModelTypeFunc},
    {kOn, 6, "Damage 5", {}, GroupMenuModelTypeFunc},
    {kOn, 7, "Damage 6", {}, GroupMenuModelTypeFunc},
    {kOn, 8, "Damage 7", {}, GroupMenuModelTypeFunc},
    {kOn, kSeparator, "-", {}, nullptr},
    {kOn, MODEL_SUB_TYPE_NONE, "None", {}, GroupMenuModelSubTypeFunc},
    {kOn, MODEL_SUB_TYPE_SHADOW, "Shadow", {}, GroupMenuModelSubTypeFunc},
};
const s_menu_item kViewMenuItems2[] = {
    {kOn, 11, "Timing", {}, ViewTimingMenuFunc},
};
const s_menu_item kEditModeMenuItems[] = {
    {kChecked, RV_EDIT_MODE_CAMERA, "Camera", {}, EditModeMenuFunc},
    {kOn, RV_EDIT_MODE_OBJECT, "Object", {}, EditModeMenuFunc},
};

constexpr s32 kTypeFirst = 0;
constexpr s32 kTypeLast = 8;
constexpr s32 kSubTypeFirst = 10;
constexpr s32 kSubTypeLast = 11;

template <size_t N>
void Restore(s_menu_item (&items)[N], const s_menu_item (&from)[N]) {
    std::copy(std::begin(from), std::end(from), items);
}

}  // namespace

s_test_edit TestEdit{};
const s_struct_var TestEditVars[4] = {
    {TYPE_STRUCT, 0, 0, "Projection", {1, 3, 0}},
    {TYPE_FLOAT32, 0, offsetof(s_test_edit, fov), "Field of View", {0, 0, 1.0f}},
    {TYPE_FLOAT32, 0, offsetof(s_test_edit, nearZ), "Near Z", {0, 0, 0.1f}},
    {TYPE_FLOAT32, 0, offsetof(s_test_edit, farZ), "Far Z", {0, 0, 10.0f}},
};

s_menu_item FileMenuItems[3];
s_menu_item EditMenuItems[1];
s_menu_item ViewMenuItems[VIEW_MENU_COUNT];
s_menu_item ModeMenuItems[7];
s_menu_item GroupMenuItems[12];
s_menu_item ViewMenuItems2[1];
s_menu_item EditModeMenuItems[2];

s_menu ViewModelMenus[5] = {
    {"File", {}, 3, FileMenuItems},
    {"Edit", {}, 1, EditMenuItems},
    {"View", {}, VIEW_MENU_COUNT, ViewMenuItems},
    {"Draw", {}, 7, ModeMenuItems},
    {"Group", {}, 12, GroupMenuItems},
};
s_menu ViewWorldMenus[5] = {
    {"File", {}, 3, FileMenuItems},     {"Edit", {}, 1, EditMenuItems}, {"View", {}, 1, ViewMenuItems2},
    {"Mode", {}, 2, EditModeMenuItems}, {"Draw", {}, 7, ModeMenuItems},
};

void RViewerModelMenusColdReset() {
    Restore(FileMenuItems, kFileMenuItems);
    Restore(EditMenuItems, kEditMenuItems);
    Restore(ViewMenuItems, kViewMenuItems);
    Restore(ModeMenuItems, kModeMenuItems);
    Restore(GroupMenuItems, kGroupMenuItems);
    Restore(ViewMenuItems2, kViewMenuItems2);
    Restore(EditModeMenuItems, kEditModeMenuItems);
    TestEdit = {};
}

s_menu_item* RViewerMenuItem(s_menu_item* items, s32 count, s32 id) {
    for (s32 i = 0; i < count; ++i)
        if (items[i].id == u32(id))
            return &items[i];
    return nullptr;
}

bool RViewerItemChecked(s_menu_item* items, s32 count, s32 id) {
    const s_menu_item* item = RViewerMenuItem(items, count, id);
    return item != nullptr && (item->flags & MENU_ITEM_CHECKED) != 0;
}

void RViewerSetItemChecked(s_menu_item* items, s32 count, s32 id, bool checked) {
    if (s_menu_item* item = RViewerMenuItem(items, count, id))
        item->flags = checked ? item->flags | MENU_ITEM_CHECKED : item->flags & ~MENU_ITEM_CHECKED;
}

void RViewerCheckOne(s_menu_item* items, s32 first, s32 last, const s_menu_item* chosen) {
    for (s32 i = first; i <= last; ++i)
        items[i].flags =
            &items[i] == chosen ? items[i].flags | MENU_ITEM_CHECKED : items[i].flags & ~MENU_ITEM_CHECKED;
}

s32 ViewMenuFunc(s_menu_item* item) {
    item->flags ^= MENU_ITEM_CHECKED;
    return 1;
}

s32 ViewExportTransMenuFunc(s_menu_item* item) {
    return ViewMenuFunc(item);
}

s32 ModeMenuFunc(s_menu_item* item) {
    RViewerCheckOne(ModeMenuItems, 0, 2, item);
    RVModelLocals.polyDrawMode = e_POLYGON_MODE(item->id);
    return 1;
}

s32 ModelMenuCommandFunc(s_menu_item* item) {
    RVModelLocals.menuCommand = s32(item->id);
    return 1;
}

s32 GroupMenuModelTypeFunc(s_menu_item* item) {
    RViewerCheckOne(GroupMenuItems, kTypeFirst, kTypeLast, item);
    RVModelLocals.modelType = e_MODEL_TYPE(item->id);
    return 1;
}

s32 GroupMenuModelSubTypeFunc(s_menu_item* item) {
    RViewerCheckOne(GroupMenuItems, kSubTypeFirst, kSubTypeLast, item);
    RVModelLocals.modelSubType = e_MODEL_SUB_TYPE(item->id);
    return 1;
}

s32 ViewAnimMenuFunc(s_menu_item* item) {
    item->flags ^= MENU_ITEM_CHECKED;
    if ((item->flags & MENU_ITEM_CHECKED) != 0)
        AnimationDialogOpen(&RVModelLocals);
    else
        AnimationDialogClose(&RVModelLocals);
    return 1;
}

s32 ViewMaterialMenuFunc(s_menu_item*) {
    MaterialDialogOpen(&RVModelLocals);
    return 1;
}

s32 ViewFrameFilterMenuFunc(s_menu_item*) {
    FrameFilterDialogOpen(&RVModelLocals);
    return 1;
}

s32 EditModeMenuFunc(s_menu_item* item) {
    RViewerCheckOne(EditModeMenuItems, 0, 1, item);
    RVModelLocals.editMode = e_rv_edit_mode(item->id);
    return 1;
}

s32 ProjectionMenuFunc(s_menu_item*) {
    StructEditStartup(TestEditVars, 4);
    StructEditOpen(DrawContext.screenCenter.x, DrawContext.screenCenter.y, 0, &TestEdit, nullptr);
    return 1;
}
