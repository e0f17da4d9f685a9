// The disc-error hold of the file layer's read loops: while the drive reports an
// error, the program waits retrace by retrace until the drive is ready again.
// The reset and disc-error message module takes this over with its message screen.
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/File.h"

u32 HardwareCheckFileError() {
    FileUpdateErrorStatus();
    const u32 status = FileGetErrorStatus();
    while (FileGetErrorStatus() != 0) {
        FileCallErrorCallback();
        DrawWait();
        FileUpdateErrorStatus();
    }
    return status;
}
