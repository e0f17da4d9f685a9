#include "orblib47/source/NGC/Hardware.h"

#include "console/card.h"
#include "console/dvd.h"
#include "console/os.h"
#include "console/pad.h"
#include "console/sc.h"
#include "console/vi.h"
#include "orblib47/source/NGC/HardwareInternal.h"

e_error_code HardwareColdReset() {
    OSInit();
    DVDInit();
    VIInit();
    PADInit();
    CARDInit();
    SCInit();
    while (SCCheckStatus() != SC_STATUS_READY) {
    }
    return RET_NO_ERROR;
}

// The last run's tasks, fonts and sounds went with its heap.
e_error_code HardwareWarmReset() {
    HardwareResetForget();
    HardwareErrorForget();
    HardwareMuteForget();
    return RET_NO_ERROR;
}

e_error_code HardwareExit() {
    return RET_NO_ERROR;
}
