// The console's boot set-up.
#pragma once

#include "orblib47/source/OrbTypes.h"

e_error_code HardwareColdReset();
e_error_code HardwareWarmReset();
e_error_code HardwareExit();
