// PAD: the controller ports need no set-up on the host.
#include "console/pad.h"

BOOL PADInit() {
    return TRUE;
}

BOOL PADRecalibrate(u32) {
    return TRUE;
}
