// Debug output: standard error, flushed per call so it interleaves correctly with
// everything else written there, or a sink a test installed. Progress lines are
// held back from standard error unless the configuration asks for them.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/host_services.h"
#include "console/os.h"
#include "console/system.h"

namespace {

HostReportSink s_sink = nullptr;
void* s_sinkContext = nullptr;

}  // namespace

void HostSetReportSink(HostReportSink sink, void* context) {
    s_sink = sink;
    s_sinkContext = sink != nullptr ? context : nullptr;
}

void OSVReport(const char* format, va_list args) {
    HostMemoryScope hostMemory;
    if (s_sink == nullptr) {
        std::vfprintf(stderr, format, args);
        std::fflush(stderr);
        return;
    }
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0)
        return;
    std::string text(static_cast<size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    s_sink(text.c_str(), s_sinkContext);
}

void HostReportProgress(const char* format, va_list args) {
    if (s_sink != nullptr || HostGetConfig().progressReports)
        OSVReport(format, args);
}

void OSReport(const char* format, ...) {
    va_list args;
    va_start(args, format);
    OSVReport(format, args);
    va_end(args);
}

void OSPanic(const char* file, int line, const char* format, ...) {
    std::fprintf(stderr, "OSPanic in %s:%d: ", file, line);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fflush(stderr);
    std::abort();
}
