#include "orblib47/source/DbugMenu.h"

#include <cstdio>

#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/UIDialogs.h"
#include "orblib47/source/UIMenu.h"

s32 DebugSelection = -1;
s_window_obj* DebugDialog = nullptr;
s_thread* DebugThreadPtr = nullptr;

s32 ViewTimingMenuFunc(s_menu_item* item) {
    item->flags ^= MENU_ITEM_CHECKED;
    DebugTimingDisplay = (item->flags & MENU_ITEM_CHECKED) != 0 ? 1 : 0;
    return 1;
}

namespace {

constexpr u32 kTitleColor = 0xC8C8C8FFu;
constexpr u32 kBuildColor = 0xA0A0A0FFu;

const char* DebugTitle = nullptr;
const char* const* DebugStrings = nullptr;
s32 DebugNumStrings = 0;
s32 DebugExit = 0;

s32 LaunchButtonFunc(s_menu_item* item);
s32 ExitButtonFunc(s_menu_item*) {
    DebugExit = 1;
    return 1;
}

s_menu_item FileMenuItems[] = {
    {MENU_ITEM_ENABLED, 0, "Launch . . .", {}, LaunchButtonFunc},
    {MENU_ITEM_ENABLED, 0, "Exit", {}, ExitButtonFunc},
};
s_menu_item ViewMenuItems[] = {
    {MENU_ITEM_ENABLED, 0, "Timing", {}, ViewTimingMenuFunc},
};
s_menu DebugMenus[] = {
    {"File", {}, 2, FileMenuItems},
    {"View", {}, 1, ViewMenuItems},
};
s_menu_item& LaunchItem = FileMenuItems[0];

void OpenDialog() {
    DebugDialog = ListDialogOpen(150, DrawContext.screenTitleSafe.y + 100, DebugStrings, DebugNumStrings,
                                 "Launch", DebugSelection, "Select Scene to Launch");
}

s32 LaunchButtonFunc(s_menu_item* item) {
    OpenDialog();
    item->flags &= ~MENU_ITEM_ENABLED;
    return 1;
}

// Centred on the screen, `y` below the top title-safe margin.
void DrawCentred(const char* text, s_font* font, u32 color, s32 y) {
    FontSet(font);
    DrawSetFlatColor(color);
    FontDrawStringShadowed(text, 0, f32(DrawContext.screenSize.x / 2),
                           f32(DrawContext.screenTitleSafe.y + y));
}

// Under the UI (it runs first): the title and the build line.
void DebugMenuThread(s_thread*, void*) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const u32 flat = DrawSetFlatColor(kTitleColor);
    s_font* const font = CurrentFont;
    const s32 justification = FontSetJustification(FONT_JUSTIFY_CENTRE);
    DrawCentred(DebugTitle, DebugFontLarge, kTitleColor, 60);
    char line[64];
    std::snprintf(line, sizeof line, "Last Compiled on %s", DebugBuildStamp);
    DrawCentred(line, DebugFont, kBuildColor, 85);
    FontSetJustification(justification);
    FontSet(font);
    DrawSetFlatColor(flat);
    DrawSetProjection(projection);
}

}  // namespace

s32 DebugMenu(s32 selection, const char* const* entries, s32 count, const char* title) {
    OrblibStartup();
    if (DebugSelection == -1)
        DebugSelection = selection;
    DebugTitle = title;
    DebugStrings = entries;
    DebugNumStrings = count;
    DebugExit = 0;
    DebugThreadPtr = ThreadInsertPriorityDebug("DebugMenuThread", nullptr, nullptr, DebugMenuThread, nullptr,
                                               DEBUG_MENU_THREAD_PRIORITY);
    FontSet(DebugFont);
    if (DebugTimingDisplay != 0)
        ViewMenuItems[0].flags |= MENU_ITEM_CHECKED;
    else
        ViewMenuItems[0].flags &= ~MENU_ITEM_CHECKED;
    FontSetScale(1.0f, 1.0f);
    MenubarOpen(2, DebugMenus, 0);
    LaunchItem.flags &= ~MENU_ITEM_ENABLED;
    OpenDialog();

    s32 result = -1;
    bool quit = false;
    while (true) {
        EventWait(1);
        s32 chosen = -1;
        const s32 state = ListDialogQuery(DebugDialog, &chosen);
        if (chosen != -1)
            DebugSelection = chosen;
        quit = UIQuitFlag != 0;
        if (DebugExit == 1 || quit)
            break;
        if (state == LIST_DIALOG_CANCELLED) {
            ListDialogClose(DebugDialog);
            DebugDialog = nullptr;
            LaunchItem.flags |= MENU_ITEM_ENABLED;
        } else if (state == LIST_DIALOG_CHOSEN) {
            result = chosen;
            break;
        }
    }
    // A quit ends the program at once; a choice fades out first.
    if (!quit) {
        DrawFade(FADE_OUT, 0x000000FF, 0.5f);
        DrawWaitFade();
    }
    if (DebugDialog != nullptr)
        ListDialogClose(DebugDialog);
    DebugDialog = nullptr;
    UIObjectCloseAll();
    ThreadKill(DebugThreadPtr);
    DebugThreadPtr = nullptr;
    return result;
}
