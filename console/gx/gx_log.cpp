#include "console/gx/gx_log.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "console/gx/gx_control.h"
#include "console/host_services.h"

namespace console::gx {
namespace {

bool s_enabled = false;
std::vector<std::string> s_log;

void Append(const char* name, const char* args) {
    HostMemoryScope hostMemory;
    s_log.push_back(std::string(name) + "(" + args + ")");
}

}  // namespace

void LogCall(const char* name, const char* argsFormat, ...) {
    if (!s_enabled)
        return;
    char args[256];
    va_list list;
    va_start(list, argsFormat);
    std::vsnprintf(args, sizeof args, argsFormat, list);
    va_end(list);
    Append(name, args);
}

void LogCall(const char* name) {
    if (s_enabled)
        Append(name, "");
}

}  // namespace console::gx

void HostGXSetCallLog(bool enabled) {
    console::gx::s_enabled = enabled;
    HostMemoryScope hostMemory;
    console::gx::s_log.clear();
}

const std::vector<std::string>& HostGXCallLog() {
    return console::gx::s_log;
}
