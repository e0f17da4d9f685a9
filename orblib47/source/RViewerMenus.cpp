#include "orblib47/source/RViewer.h"
#include "orblib47/source/UIObject.h"

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
