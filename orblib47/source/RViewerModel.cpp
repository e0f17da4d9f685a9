#include "orblib47/source/RViewerModel.h"

#include "orblib47/source/Anim.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/FrameFilter.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/OpenFileDialog.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/RViewer.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/TrackBall.h"

s_rvlocals RVModelLocals{};
s32 DisableUiUntilMouseRelease = 0;
s_Vector3 NewTarget{};
s_Vector3 NewCamera{};
s32 bNewLookAt = 0;
s32 bSetNewFOV = 0;
f32 NewFOV = 60.0f;
const s_Vector4 DefaultModelAmbient{0.2f, 0.2f, 0.2f, 1.0f};

namespace {

constexpr s32 kViewItems = VIEW_MENU_COUNT;
constexpr s32 kDialogHeight = 192;
s32 BankSelection = 0;

u32 Channel(f32 value, s32 shift) {
    return u32(s32(value * 255.0f)) << shift;
}

void DisableViewItem(s32 id) {
    if (s_menu_item* item = RViewerMenuItem(ViewMenuItems, kViewItems, id))
        item->flags &= ~MENU_ITEM_ENABLED;
}

void ResetLocals(s_rvlocals& locals) {
    locals = {};
    const s32 x = DrawContext.screenTitleSafe.x;
    const s32 y = DrawContext.screenSize.y - DrawContext.screenTitleSafe.y - kDialogHeight;
    locals.animDialogX = locals.materialDialogX = locals.frameFilterDialogX = x;
    locals.animDialogY = locals.materialDialogY = locals.frameFilterDialogY = y;
    locals.ambientColor = Channel(DefaultModelAmbient.x, 24) | Channel(DefaultModelAmbient.y, 16) |
                          Channel(DefaultModelAmbient.z, 8) | Channel(DefaultModelAmbient.w, 0);
    locals.modelType = MODEL_TYPE_NORMAL;
    locals.modelSubType = MODEL_SUB_TYPE_NONE;
    locals.prevModelIndex = -1;
    locals.polyDrawMode = DC_POLY_DRAW_FILL;
}

void ResetMenus() {
    for (s_menu_item& item : GroupMenuItems)
        item.flags &= ~MENU_ITEM_CHECKED;
    RViewerSetItemChecked(GroupMenuItems, 1, MODEL_TYPE_NORMAL, true);
    RViewerSetItemChecked(&GroupMenuItems[10], 2, MODEL_SUB_TYPE_NONE, true);
    for (s_menu_item& item : ViewMenuItems)
        item.flags = (item.flags & ~MENU_ITEM_CHECKED) | MENU_ITEM_ENABLED;
    RViewerCheckOne(ModeMenuItems, 0, 2, RViewerMenuItem(ModeMenuItems, 3, DC_POLY_DRAW_FILL));
    RViewerSetItemChecked(ModeMenuItems, 7, DRAW_TEXTURE, true);
    RViewerSetItemChecked(ModeMenuItems, 7, DRAW_LIGHT, true);
}

// The model a group asks for by type, bound when it differs; the hmodel's own otherwise.
void ChooseGroupModel(s_rvlocals& locals) {
    s_hmodel* hmodel = locals.hmodel;
    if (hmodel->modelGroup == nullptr)
        return;
    s_model* model = ModelGroupGetModelLod(hmodel->modelGroup->groupId, locals.modelType, locals.modelSubType,
                                           &locals.prevModelIndex);
    if (model != nullptr && model != hmodel->model)
        HModelBindLod(hmodel, locals.modelType, model);
}

void SetUpObjectMode(s_rvlocals& locals) {
    locals.uiMode = UI_MODE_OBJECT;
    ChooseGroupModel(locals);
    const s_model* drawn = locals.hmodel->model;
    if (drawn != nullptr && drawn->numAnimDefs > 0)
        locals.hanim = HAnimLoad(drawn->animDefs[0].name, nullptr, 0, 0);
    if (locals.hanim == nullptr) {
        DisableViewItem(VIEW_ANIMATION);
        DisableViewItem(VIEW_EXPORT_TRANS);
    }
    if (locals.hmodel->collisionInfo == nullptr)
        DisableViewItem(VIEW_COLLISION_SPHERES);
    if (locals.hmodel->linkInfo == nullptr)
        DisableViewItem(VIEW_LINK_POINTS);

    TrackballInit(0.4f);
    const f32 c = drawn != nullptr ? drawn->centerOffset.y : 0.0f;
    const f32 r = drawn != nullptr ? drawn->radius : 1.0f;
    const s_Vector3 eye{0.0f, c, 2.5f * r, 0.0f};
    const s_Vector3 target{0.0f, c, 0.0f, 0.0f};
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &target, &eye);
    DrawSetCamera(&camera, &eye);
    NewTarget = target;
    NewCamera = eye;
}

void SetUpCameraMode(s_rvlocals& locals) {
    locals.uiMode = UI_MODE_CAMERA;
    for (s32 id :
         {VIEW_ANIMATION, VIEW_EXPORT_TRANS, VIEW_COLLISION_SPHERES, VIEW_COLLISION_POLYS, VIEW_LINK_POINTS})
        DisableViewItem(id);
    TrackballInit(1.5f);
    locals.pos = {0.0f, 2.0f, 1.2f * locals.model->radius, 0.0f};
}

// The model, or for a group or a plain model its instance; false, after one line,
// when the name gives neither.
bool LoadModel(s_rvlocals& locals, const char* name) {
    locals.model = ModelLoad(name, nullptr, 0);
    if (locals.model != nullptr && locals.model->octTree != nullptr)
        return true;
    locals.hmodel = HModelLoadAtPos(name, 1, &locals.pos, &locals.rot);
    if (locals.hmodel != nullptr)
        return true;
    if (locals.model != nullptr)
        ModelFree(locals.model);
    locals.model = nullptr;
    DEBUG_PRINT("RViewerViewModel: cannot load the model %s\n", name);
    return false;
}

void LoadPickedBank() {
    char name[DATA_NAME_LENGTH + 1] = {};
    if (OpenDataDialog(name, "Select Bank To Load:", "VHA", &BankSelection) != 0)
        RViewerLoadAnimBank(name);
}

void LeaveModelView(s_rvlocals& locals, s_thread* task) {
    ThreadKill(task);
    if (locals.hanim != nullptr)
        HAnimFree(locals.hanim);
    if (locals.hanimBank != nullptr)
        HAnimFree(locals.hanimBank);
    if (locals.hmodel != nullptr)
        HModelFree(locals.hmodel);
    if (locals.model != nullptr)
        ModelFree(locals.model);
    locals.hanim = locals.hanimBank = nullptr;
    locals.hmodel = nullptr;
    locals.model = nullptr;
    AnimationDialogClose(&locals);
    MaterialDialogClose(&locals);
    FrameFilterDialogClose(&locals);
    UIObjectCloseAll();
    DrawSetPolygonMode(DC_POLY_DRAW_FILL);
    OrbMaterial.FreeMaterialModes();
    OrbFrameFilter.Set(ORB_FILTER_MODE_NONE);
    locals.frameFilterNum = ORB_FILTER_MODE_NONE;
    RViewerModelFreeToolBar(&ModelViewerToolBar);
}

}  // namespace

void RViewerModelColdReset() {
    RViewerModelMenusColdReset();
    RVModelLocals = {};
    ModelViewerToolBar = {};
    for (s_toolbar_button& button : ModelToolBarButtons)
        button.flags = {};
    DisableUiUntilMouseRelease = 0;
    NewTarget = NewCamera = {};
    bNewLookAt = bSetNewFOV = 0;
    NewFOV = 60.0f;
    BankSelection = 0;
}

bool RViewerLoadAnimBank(const char* name) {
    s_rvlocals& locals = RVModelLocals;
    // The new bank first: a failed load leaves the old one, and the dialog listing it, as they were.
    s_hanim_header* bank = HAnimLoad(name, nullptr, 0, 0);
    if (bank == nullptr) {
        DEBUG_PRINT("RViewerViewModel: cannot load the bank %s\n", name);
        return false;
    }
    if (locals.hanimBank != nullptr)
        HAnimFree(locals.hanimBank);
    locals.hanimBank = bank;
    locals.animNum = 0;
    AnimationDialogClose(&locals);
    AnimationDialogOpen(&locals);
    if (s_menu_item* item = RViewerMenuItem(ViewMenuItems, kViewItems, VIEW_ANIMATION))
        item->flags = MENU_ITEM_ENABLED | MENU_ITEM_CHECKED;
    if (s_menu_item* item = RViewerMenuItem(ViewMenuItems, kViewItems, VIEW_EXPORT_TRANS))
        item->flags |= MENU_ITEM_ENABLED;
    return true;
}

s32 RViewerViewModel(char* name) {
    const s_viewport* viewport = DrawContext.viewport;
    TestEdit = {viewport->fov, viewport->nearZ, viewport->farZ};
    RViewerFixName(name);
    RViewerCancel = 0;
    s_rvlocals& locals = RVModelLocals;
    ResetLocals(locals);
    ResetMenus();
    if (!LoadModel(locals, name))
        return 0;
    RViewerModelCreateToolBar();
    OrbMaterial.LoadMaterialModes();
    DrawProjectBegin(&TestLight);
    if (locals.hmodel == nullptr)
        SetUpCameraMode(locals);
    else
        SetUpObjectMode(locals);
    FontSet(DebugFont);
    FontSetScale(1.0f, 1.0f);
    MenubarOpen(5, ViewModelMenus, 0);
    s_thread* task = ThreadInsertPriorityDebug("RViewerViewModelThread", nullptr, &locals,
                                               RViewerViewModelThread, nullptr, RVIEWER_THREAD_PRIORITY);
    while (RViewerCancel == 0 && UIQuitFlag == 0) {
        EventWait(1);
        if (locals.menuCommand == RVIEWER_COMMAND_LOAD_BANK) {
            LoadPickedBank();
            locals.menuCommand = 0;
        }
        if (locals.uiMode == UI_MODE_OBJECT)
            RViewerViewModelUI();
        else
            RViewerViewWorldUI(&locals);
    }
    LeaveModelView(locals, task);
    return 0;
}
