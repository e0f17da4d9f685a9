// Alone in its file: the compile date and time change every compile, so only this
// file misses the compiler cache.
#include "orblib47/source/DbugMenu.h"

const char* DebugBuildStamp = __DATE__ " at " __TIME__;
