// The console the tests and the fuzz harnesses run on: the virtual clock, no
// window, small arenas, and flash storage in a folder of this process.
#pragma once

#include "console/system.h"

HostConfig TestHostConfig();

// Empties the flash storage folder of this process, as a fresh process finds it.
void TestHostClearStorage();
