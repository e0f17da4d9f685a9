#include "orblib47/source/RViewerModel.h"

s32 RViewerViewModel(char*) {
    return 0;
}

s32 RViewerViewWorld(char*) {
    return 0;
}
