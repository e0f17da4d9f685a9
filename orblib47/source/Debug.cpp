#include "orblib47/source/Debug.h"

#include <cstdio>
#include <cstdlib>

#include "console/host_services.h"
#include "console/os.h"

void DEBUG_PRINT(const char* format, ...) {
    va_list args;
    va_start(args, format);
    OSVReport(format, args);
    va_end(args);
}

void DEBUG_PROGRESS(const char* format, ...) {
    va_list args;
    va_start(args, format);
    HostReportProgress(format, args);
    va_end(args);
}

void DEBUG_ERROR(const char* format, ...) {
    va_list args;
    va_start(args, format);
    OSVReport(format, args);
    va_end(args);
    std::fflush(nullptr);
    std::exit(1);
}

void SoftAssert(const char*, const char*, s32) {}

e_error_code DebugHardwareColdReset() {
    return RET_NO_ERROR;
}

void DebugAssertHeader(const char* condition, const char* file, s32 line) {
    DEBUG_PRINT("Assertion Failure: \"%s\"\n  File: %s\n  Line: %d\n  ", condition, file, line);
}

namespace {

void PrintAssertion(const char* condition, const char* file, s32 line, const char* format, va_list args) {
    DebugAssertHeader(condition, file, line);
    OSVReport(format, args);
}

}  // namespace

void DebugAssertFail(const char* condition, const char* file, s32 line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    PrintAssertion(condition, file, line, format, args);
    va_end(args);
    std::fflush(nullptr);
    // The console stopped in an endless loop for a debugger; here that would hang
    // a test run, so the process ends with a core instead.
    std::abort();
}

void DebugAssertWarn(const char* condition, const char* file, s32 line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    PrintAssertion(condition, file, line, format, args);
    va_end(args);
}
