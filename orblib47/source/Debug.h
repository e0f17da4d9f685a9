// Debug output and assertions. Every diagnostic line of the program goes through
// DEBUG_PRINT to the console's debug output.
#pragma once

#include <cstdarg>

#include "orblib47/source/OrbTypes.h"

void DEBUG_PRINT(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A progress or information line (what loads, the resets, sizes): printed like
// DEBUG_PRINT only when progress lines were asked for. Errors use DEBUG_PRINT.
void DEBUG_PROGRESS(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Prints like DEBUG_PRINT, then ends the process with status 1.
[[noreturn]] void DEBUG_ERROR(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Marks a branch that should not be reached; does nothing.
void SoftAssert(const char* message, const char* file, s32 line);
e_error_code DebugHardwareColdReset();

// Prints the assertion header: condition, file, line.
void DebugAssertHeader(const char* condition, const char* file, s32 line);
// Header, message, flush, then abort: a fatal assertion never returns.
[[noreturn]] void DebugAssertFail(const char* condition, const char* file, s32 line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
// Header and message; the caller carries on with its own fallback.
void DebugAssertWarn(const char* condition, const char* file, s32 line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// Fatal when the condition is false; the message is printf-style. The file is the
// source file's own name ("OrbThread.cpp").
#define ORB_ASSERT(condition, ...)                                             \
    do {                                                                       \
        if (!(condition))                                                      \
            DebugAssertFail(#condition, __FILE_NAME__, __LINE__, __VA_ARGS__); \
    } while (0)

// Unconditional fatal assertion (condition text "FALSE").
#define ORB_FAIL(...) DebugAssertFail("FALSE", __FILE_NAME__, __LINE__, __VA_ARGS__)
