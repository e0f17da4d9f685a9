#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OpenFileDialog.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/RViewerModel.h"
#include "orblib47/source/UIDialogs.h"
#include "orblib47/source/UIMenu.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/World.h"

e_rv_event RViewerEvent = RV_EVENT_NONE;
s_wad* RViewerWad[RVIEWER_MAX_WADS] = {};
s32 RViewerWadCount = 0;
u32 RViewerBkgColor = RVIEWER_BKG_COLOR;
char AppDir[256] = "";
s_draw_light RViewerLight = {};
s_Vector4 RViewerAmbient = {0.2f, 0.2f, 0.2f, 1.0f};

namespace {

constexpr f32 kBackgroundFade = 0.25f;

// A data view: the dialog's title, the data type it lists and the view it runs.
struct DataView {
    e_rv_event event;
    const char* title;
    const char* type;
    s32 (*view)(char* name);
};

s32 ViewParSys(char* name) {
    return RViewerViewParSys(name, 0);
}

const DataView kDataViews[] = {
    {RV_EVENT_VIEW_MODEL, "Select Model To View:", "VHM", RViewerViewModel},
    {RV_EVENT_VIEW_MODEL_GROUP, "Select Model Group To View:", "GRP", RViewerViewModel},
    {RV_EVENT_VIEW_WORLD, "Select World To View:", "WRL", RViewerViewWorld},
    {RV_EVENT_VIEW_SPRITE, "Select Sprite To View:", "SPR", RViewerViewSprite3D},
    {RV_EVENT_VIEW_FONT, "Select Font To View:", "FNT", RViewerViewFont},
    {RV_EVENT_VIEW_PARSYS, "Select Particle System To View:", "PAT", ViewParSys},
    {RV_EVENT_VIEW_SFX, "Select Sound Effect To View:", "SFX", RViewerViewSfx},
};

void ReopenMainBar() {
    UIObjectCloseAll();
    RViewerOpenMenubar();
}

// Picks entries of one type and views each until the dialog is cancelled.
void RunDataView(const DataView& data) {
    char name[OPEN_FILE_DIALOG_PATH_SIZE];
    s32 selection = 0;
    while (UIQuitFlag == 0 && OpenDataDialog(name, data.title, data.type, &selection) != 0) {
        UIObjectCloseAll();
        data.view(name);
        ReopenMainBar();
    }
}

void RunTextureView() {
    char name[OPEN_FILE_DIALOG_PATH_SIZE];
    s32 selection = 0;
    const s_Vector2 corner{f32(DrawContext.screenTitleSafe.x),
                           f32(DrawContext.screenTitleSafe.y) + FontCharHeight() + 12.0f};
    if (OpenDataDialogAtPoint(name, "Select Texture To View:", "TIM", &selection, &corner) == 0)
        return;
    RViewerCloseMenubars();  // the list stays open beside the view's bar
    RViewerViewTexture(name, &selection);
    ReopenMainBar();
}

void OpenFile() {
    char folder[OPEN_FILE_DIALOG_PATH_SIZE];
    char name[OPEN_FILE_DIALOG_PATH_SIZE];
    char extension[OPEN_FILE_DIALOG_EXTENSION_SIZE];
    s32 selection = 0;
    if (OpenFileDialog(folder, name, extension, "Select File To Open:", &selection) == 0)
        return;
    EventWait(2);
    FileChangeDirectory(folder);
    RViewerOpenFile(name, extension);
}

void Act(e_rv_event event, u32* bkgColor) {
    for (const DataView& data : kDataViews) {
        if (data.event == event) {
            RunDataView(data);
            return;
        }
    }
    switch (event) {
        case RV_EVENT_OPEN_WAD:
            OpenFile();
            break;
        case RV_EVENT_CLOSE_WAD:
            RViewerCloseWads();
            break;
        case RV_EVENT_VIEW_TEXTURE:
            RunTextureView();
            break;
        case RV_EVENT_EDIT_PARSYS:
            UIObjectCloseAll();
            RViewerViewParSys(nullptr, 1);
            ReopenMainBar();
            break;
        case RV_EVENT_SET_BKG_COLOR:
            FontSet(DebugFont);
            FontSetScale(1.0f, 1.0f);
            RGBADialogOpen(DrawContext.screenCenter.x, DrawContext.screenCenter.y, "Background Color",
                           bkgColor);
            break;
        default:
            break;
    }
}

}  // namespace

void RViewerColdReset() {
    RViewerEvent = RV_EVENT_NONE;
    RViewerCancel = 0;
    std::fill(std::begin(RViewerWad), std::end(RViewerWad), nullptr);
    RViewerWadCount = 0;
    RViewerBkgColor = RVIEWER_BKG_COLOR;
    AppDir[0] = '\0';
    RViewerLight = {};
    RViewerAmbient = {0.2f, 0.2f, 0.2f, 1.0f};
    // What lived in the heap went with it: forgotten, not freed.
    PlayDialogsForget();
    PlayDialogState = PLAY_DIALOG_IDLE;
    StreamFileDialogState = STREAM_FILE_DIALOG_IDLE;
    PlayDialogValue = 0;
    StreamLooping = 0;
    SfxStrings = nullptr;
    SfxRemap = nullptr;
    SfxListBox.numItems = 0;
    SfxListBox.items = nullptr;
    SfxIndex = 0;
    StreamFile = nullptr;
    RViewerStream = nullptr;
    RVFont = nullptr;
    RVTexture = nullptr;
    RVSpriteSet = nullptr;
    RViewerParticleSystem = nullptr;
    ParSysParms = {};
    RViewerCutScene = nullptr;
    RViewerCutSceneName[0] = '\0';
}

void RViewerFixName(char* name) {
    if (char* dot = std::strchr(name, '.'))
        *dot = '\0';
    for (char* c = name; *c != '\0'; ++c)
        *c = char(std::toupper(static_cast<unsigned char>(*c)));
}

s32 RViewerOpenWad(const char* name) {
    if (RViewerWadCount >= RVIEWER_MAX_WADS) {
        DEBUG_PRINT("RViewer: %d archives are open already, %s not loaded.\n", RVIEWER_MAX_WADS, name);
        return 0;
    }
    s_wad* wad = WadLoadAsyncWait(name, 0);
    if (wad == nullptr)
        return 0;
    RViewerWad[RViewerWadCount++] = wad;
    return 1;
}

void RViewerOpenFile(const char* name, const char* extension) {
    if (strcasecmp(extension, ".wad") == 0) {
        const s32 cursor = MouseSetCursor(MOUSE_CURSOR_BUSY);
        RViewerOpenWad(name);
        MouseSetCursor(cursor);
    } else if (std::strcmp(extension, ".csf") == 0) {
        UIObjectCloseAll();
        RViewerViewCutscene(name);
        ReopenMainBar();
    } else if (std::strcmp(extension, ".asf") == 0) {
        UIObjectCloseAll();
        RViewerViewStream(name);
        ReopenMainBar();
    } else {
        DEBUG_PRINT("Unsupported file type %s%s!\n", name, extension);
    }
}

void RViewerCloseWads() {
    for (s32 i = 0; i < RViewerWadCount; ++i) {
        WadFree(RViewerWad[i]);
        RViewerWad[i] = nullptr;
    }
    RViewerWadCount = 0;
}

void RViewerStartup() {
    const std::string dir = FileGetDirectory();
    std::snprintf(AppDir, sizeof AppDir, "%s", dir.c_str());
    FileChangeDirectory("");
    s_Matrix4 camera;
    Matrix4CreateTranslate(&camera, 0.0f, 0.0f, 0.0f);
    const s_Vector3 origin{};
    DrawSetCamera(&camera, &origin);
    DrawSetFog(0xFFFFFF00, 65535.0f, 65535.0f);
    DrawFadeClearColor(RViewerBkgColor, kBackgroundFade);
    DrawResetLights();
    DrawSetAmbientLightV(&RViewerAmbient);
    DrawAddLight(&RViewerLight);
    DrawFade(FADE_IN, 0x000000FF, 0.5f);
    RViewerOpenMenubar();
    UIQuitFlag = 0;
    RViewerWadCount = 0;
    DrawAddLight(&TestLight);
    DrawLightsOff();
}

void RViewerShutdown() {
    FileChangeDirectory(AppDir);
    RViewerCloseWads();
    SfxDialogFree();
}

s32 ViewResource() {
    RViewerStartup();
    WorldEnableRender(0);
    u32 bkgColor = RViewerBkgColor;
    while (UIQuitFlag == 0) {
        EventWait(1);
        if (bkgColor != RViewerBkgColor) {
            RViewerBkgColor = bkgColor;
            DrawFadeClearColor(RViewerBkgColor, kBackgroundFade);
        }
        const e_rv_event event = RViewerEvent;
        RViewerEvent = RV_EVENT_NONE;
        Act(event, &bkgColor);
    }
    DrawFade(FADE_OUT, 0x000000FF, 0.5f);
    DrawWaitFade();
    UIObjectCloseAll();
    RViewerShutdown();
    WorldEnableRender(1);
    // "Quit" ends the viewer, not the launcher's list it was started from.
    UIQuitFlag = 0;
    return -1;
}
