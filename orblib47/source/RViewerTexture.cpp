#include <cstdio>
#include <cstring>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/OpenFileDialog.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/TrackBall.h"
#include "orblib47/source/UIDialogs.h"

s_texture* RVTexture = nullptr;
s_Matrix4 BoxMatrix = {};
f32 TextureLODBiasK = 0.0f;
u32 TextureLODBiasL = 0;
f32 TextureLODBiasKOrig = 0.0f;
u32 TextureLODBiasLOrig = 0;

namespace {

constexpr u32 kWhite = 0xFFFFFFFF;
constexpr f32 kTrackballSize = 0.4f;
constexpr s32 kPaletteColumns = 8;
constexpr f32 kPaletteStep = 12.0f;

char TextureName[DATA_NAME_LENGTH + 1] = "";

// Loads the picked texture and reads its bias as edited and as loaded.
bool LoadTexture(const char* picked) {
    std::snprintf(TextureName, sizeof TextureName, "%s", picked);
    RViewerFixName(TextureName);
    RVTexture = TextureLoad(TextureName);
    if (RVTexture == nullptr) {
        DEBUG_PRINT("RViewer: no texture %s.\n", TextureName);
        return false;
    }
    f32 other = 0.0f;
    TextureGetLODBias(RVTexture, &TextureLODBiasK, &other);
    TextureLODBiasL = u32(other);
    TextureLODBiasKOrig = TextureLODBiasK;
    TextureLODBiasLOrig = TextureLODBiasL;
    return true;
}

void FreeTexture() {
    if (RVTexture == nullptr)
        return;
    TextureSetLODBias(RVTexture, 0, 0.0f);
    TextureFree(RVTexture);
    RVTexture = nullptr;
}

void RViewerDrawPalette(const s_texture* texture) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetTexture(nullptr);
    const u32 entries = TextureGetClutSize(texture) / 4;
    const u32 perColumn = TextureGetClutSize(texture) / 32 > 0 ? TextureGetClutSize(texture) / 32 : 1;
    const f32 left = f32(DrawContext.screenCenter.x) + 210.0f;
    for (u32 i = 0; i < entries && i / perColumn < u32(kPaletteColumns); ++i) {
        DrawSetFlatColor(TextureGetClutEntry(texture, i));
        const s_Vector3 at{left + kPaletteStep * f32(i / perColumn),
                           48.0f + kPaletteStep * f32(i % perColumn), 0.0f, 0.0f};
        DrawFilledSquare(&at, kPaletteStep);
    }
}

void DrawInfo(const s_texture* texture) {
    const s_texture_map& map = texture->file.maps[0];
    char lines[5][96];
    std::snprintf(lines[0], sizeof lines[0], "%s", TextureName);
    std::snprintf(lines[1], sizeof lines[1], "Number of MipMaps: %d", s32(TextureGetNumMips(texture)));
    std::snprintf(lines[2], sizeof lines[2], "MipMap bias K: %2.1f", double(TextureLODBiasK));
    std::snprintf(lines[3], sizeof lines[3], "Size: %dx%d (%d bit)", s32(map.width), s32(map.height),
                  s32(map.depth));
    std::snprintf(lines[4], sizeof lines[4], "Format: %s", TextureGetFormatName(texture));
    const s_Ivector2 safe = DrawContext.screenTitleSafe;
    const f32 line = FontCharHeight();
    FontSetJustification(FONT_JUSTIFY_LEFT);
    f32 y = f32(DrawContext.screenSize.y - safe.y) - line;
    for (const char* text : lines) {
        FontDrawString(text, 0, f32(safe.x), y);
        y -= line;
    }
}

// The keys of the list dialog and of the controls, bottom right, each named by
// its glyph in the icon font.
void DrawHelp() {
    static const char* const kPadHelp[] = {
        "\x87 / \x88 : Select", "\x81 : Close", "Left Thumbstick : Move", "\x83 : Zoom In", "\x82 : Zoom Out",
    };
    static const char* const kHelp[] = {"\x8C : Increase K Value", "\x8D : Decrease K Value", "\x85 : Reset"};
    const s_Ivector2 safe = DrawContext.screenTitleSafe;
    const f32 line = FontCharHeight();
    const f32 x = f32(DrawContext.screenSize.x - safe.x);
    FontSetJustification(FONT_JUSTIFY_RIGHT);
    f32 y = f32(DrawContext.screenSize.y - safe.y) - line * 8.0f;
    if (Mouse.connected == 0) {
        for (const char* text : kPadHelp) {
            FontDrawString(text, 0, x, y);
            y += line;
        }
    } else {
        y += line * 5.0f;
    }
    for (const char* text : kHelp) {
        FontDrawString(text, 0, x, y);
        y += line;
    }
    FontSetJustification(FONT_JUSTIFY_LEFT);
}

void RViewerViewTextureThread(s_thread*, void*) {
    if (RVTexture == nullptr)
        return;
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_3D);
    const e_TEXTURE_WRAP_MODE wrap = DrawSetTextureWrapMode(DC_TEXTURE_WRAP_CLAMP);
    DrawSetTexture(RVTexture);
    const u32 flat = DrawSetFlatColor(kWhite);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    TextureSetLODBias(RVTexture, s32(TextureLODBiasL), TextureLODBiasK);
    DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    const s_Vector3 low{-1.0f, -1.0f, -1.0f, 0.0f};
    const s_Vector3 high{1.0f, 1.0f, 1.0f, 0.0f};
    DrawPushMatrix(&BoxMatrix);
    DrawFilledBox(&low, &high);
    DrawPopMatrix();
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    if (TextureGetClutSize(RVTexture) != 0)
        RViewerDrawPalette(RVTexture);
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetTexture(nullptr);
    DrawSetFlatColor(kWhite);
    DrawInfo(RVTexture);
    DrawHelp();
    DrawSetFlatColor(flat);
    DrawSetCombineMode(combine);
    DrawSetTextureWrapMode(wrap);
    DrawSetProjection(projection);
}

}  // namespace

s32 RViewerViewTexture(char* name, s32* index) {
    RViewerOpenDefaultMenu();
    RViewerCancel = 0;
    LoadTexture(name);
    const s_Vector3 eye{0.0f, 0.0f, 4.0f, 0.0f};
    const s_Vector3 target{};
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &target, &eye);
    DrawSetCamera(&camera, &eye);
    TrackballInit(kTrackballSize);
    RViewerTextureUIReset();
    BoxMatrix = IDMatrix4;
    s_thread* task = ThreadInsertPriorityDebug("RViewerViewTextureThread", nullptr, nullptr,
                                               RViewerViewTextureThread, nullptr, RVIEWER_THREAD_PRIORITY);
    s_Vector3 position{};
    s_Vector3 rotation{};
    f32 zoom = 0.0f;
    s32 shown = *index;
    while (OpenFileDialogExists() != 0 && !RViewerViewEnded()) {
        EventWait(1);
        RViewerViewTextureUI(RVTexture, &position, &rotation, &zoom, &BoxMatrix);
        ListDialogQuery(OpenFileDialogPtrGet(), index);
        if (*index != shown) {
            shown = *index;
            FreeTexture();
            LoadTexture(OpenFileDialogFileListGet(index));
        }
    }
    ThreadKill(task);
    FreeTexture();
    OpenFileDialogExit();
    UIObjectCloseAll();
    return 0;
}
