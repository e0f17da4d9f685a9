// The optional log of GX calls that tests switch on: one line per call, its name
// and arguments as text.
#pragma once

namespace console::gx {

// Appends "name(args)" when the log is on; args is printf-style.
void LogCall(const char* name, const char* argsFormat, ...) __attribute__((format(printf, 2, 3)));
void LogCall(const char* name);

}  // namespace console::gx
