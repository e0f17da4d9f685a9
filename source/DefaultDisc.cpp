#include "source/DefaultDisc.h"

// Set by the build to the folder it writes the demo disc into.
#ifndef BOWLING_DEFAULT_DISC
#error "BOWLING_DEFAULT_DISC is set by the build"
#endif

const char* DefaultDiscRoot() {
    return BOWLING_DEFAULT_DISC;
}
