// PAD: the controller ports.
#pragma once

#include "console/types.h"

BOOL PADInit();
