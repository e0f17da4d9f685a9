// The text widgets and the list dialog against kept pictures: a window with a
// list box, a line edit with spin buttons, a focused line edit with a selection
// and an open drop-down list; and the large list dialog. The pictures drawn are
// written in the working folder for a person to look at;
// BOWLING_UPDATE_REFERENCE=1 makes them the new references.
#include <gtest/gtest.h>

#include "orblib47/source/UIDialogs.h"
#include "tests/engine/UIFixture.h"
#include "tests/game/PictureCompare.h"

namespace {

const char* const kPatterns[] = {"House shot", "Sport shot", "Badger", "Cheetah", "Chameleon", "Scorpion",
                                 "Shark",      "Viper",      "Bear",   "Wolf",    "Dry lanes", "Flooded"};

template <class T>
T* Under(s_window_obj* window, T* child) {
    UIObjectLink(&window->obj, &child->obj);
    return child;
}

using UITextPictureTest = UIFixture;

TEST_F(UITextPictureTest, AWindowOfTextWidgetsMatchesTheKeptPicture) {
    MouseDisable();  // no cursor in the picture
    const s_Irect16 rect{120, 70, 400, 300};
    s_window_obj* window =
        WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE | WINDOW_CLOSE, "Oil pattern", nullptr);
    const s_listbox description{LISTBOX_RAISED, 12, kPatterns, 1, 0, 8};
    ListboxSetSelection(Under(window, ListboxOpen(16, 32, &description, nullptr)), 9);
    Under(window, LineEditOpen(190, 32, 120, "42.0000", nullptr, LINE_EDIT_SPIN_BUTTONS, nullptr));
    s_line_edit_obj* name = Under(window, LineEditOpen(190, 70, 180, "Lane 12 oil", nullptr, 0, nullptr));
    UIObjectFocusChild(&window->obj, &name->obj);
    name->cursorStart = 5;
    name->cursorEnd = 7;
    s_multi_edit_obj* drop = Under(window, MultiEditOpen(190, 110, kPatterns, 12, 3));
    // As the drop button opens it.
    const s_listbox choices{0, 12, kPatterns, 0, 0, 6};
    drop->listbox = Under(window, ListboxOpen(190, 110 + drop->obj.rect.h + 2, &choices, nullptr));
    ListboxSetSelection(drop->listbox, 3);
    EventWait(12);  // past the black frames after start-up
    EXPECT_LT(
        ShownFrameDifferingFrom(BOWLING_TEST_REFERENCE_DIR "/ui_text_widgets.png", "ui_text_widgets.png"),
        60u);
}

TEST_F(UITextPictureTest, AListDialogMatchesTheKeptPicture) {
    MouseDisable();
    ListDialogOpen(0, 60, kPatterns, 12, "Load", 4, "Oil patterns");
    EventWait(12);
    EXPECT_LT(ShownFrameDifferingFrom(BOWLING_TEST_REFERENCE_DIR "/ui_list_dialog.png", "ui_list_dialog.png"),
              60u);
}

}  // namespace
