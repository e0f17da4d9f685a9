// The console the tests and the fuzz harnesses run on: the virtual clock, no
// window, small arenas, and flash storage in a folder of this process.
#pragma once

#include "console/system.h"

HostConfig TestHostConfig();
