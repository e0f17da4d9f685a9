// The launcher's entries whose tools come later: each returns to the list at once.
#include "source/DevEntries.h"

s32 PrimitiveDraw2DTest() {
    return 0;
}

s32 PrimitiveDraw2DTextureTest() {
    return 0;
}

s32 PrimitiveDraw3DTest() {
    return 0;
}

s32 ColorBarTest() {
    return 0;
}

s32 DepthOffsetDrawTest() {
    return 0;
}

s32 SceneTest() {
    return 0;
}

// The stream test has nothing to show.
s32 StreamTest() {
    return 0;
}
