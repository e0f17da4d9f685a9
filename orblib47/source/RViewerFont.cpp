#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/RViewerInternal.h"

s_font* RVFont = nullptr;

namespace {

constexpr u32 kWhite = 0xFFFFFFFF;
constexpr u8 kFirstChar = 32;
constexpr u8 kLastChar = 159;

// Characters 32 to 159 in the font's cells, then a sample sentence.
void RViewerViewFontThread(s_thread*, void*) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetConstantZ(10.0f);
    s_font* const font = FontSet(RVFont);
    const s32 justification = FontSetJustification(FONT_JUSTIFY_LEFT);
    const s32 mode = FontSetMode(FONT_MODE_FIXED);
    DrawSetTextureFilterMode(DC_TEXTURE_FILTER_POINT);
    const u32 flat = DrawSetFlatColor(kWhite);
    const s_Ivector2 safe = DrawContext.screenTitleSafe;
    const f32 left = f32(safe.x + 40);
    const f32 right = f32(DrawContext.screenSize.x - safe.x);
    const f32 cell = f32(RVFont->width > 0 ? RVFont->width : RVFont->height);
    const f32 line = FontCharHeight();
    f32 x = left;
    f32 y = f32(safe.y + 80);
    for (s32 c = kFirstChar; c <= kLastChar; ++c) {
        if (x + cell > right) {
            x = left;
            y += line;
        }
        FontPrintChar(u8(c), x, y);
        x += cell;
    }
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    FontSetMode(FONT_MODE_PROPORTIONAL);
    const f32 centre = f32(DrawContext.screenCenter.x);
    FontDrawString("The quick brown fox jumps", 0, centre, 340.0f);
    FontDrawString("over the lazy dog", 0, centre, 340.0f + line);
    DrawSetTextureFilterMode(DC_TEXTURE_FILTER_LINEAR);
    DrawSetFlatColor(flat);
    FontSetMode(mode);
    FontSetJustification(justification);
    FontSet(font);
    DrawSetProjection(projection);
}

}  // namespace

s32 RViewerViewFont(char* name) {
    RViewerOpenDefaultMenu();
    RViewerCancel = 0;
    RViewerFixName(name);
    s_font* const current = CurrentFont;
    RVFont = FontLoad(name);
    FontSet(current);  // the viewed font may go with its archive
    if (RVFont == nullptr) {
        DEBUG_PRINT("RViewer: no font %s.\n", name);
        UIObjectCloseAll();
        return 0;
    }
    s_thread* task = ThreadInsertPriorityDebug("RViewerViewFontThread", nullptr, nullptr,
                                               RViewerViewFontThread, nullptr, RVIEWER_THREAD_PRIORITY);
    while (!RViewerViewEnded())
        EventWait(1);
    ThreadKill(task);
    FontFree(RVFont);
    RVFont = nullptr;
    UIObjectCloseAll();
    return 0;
}
