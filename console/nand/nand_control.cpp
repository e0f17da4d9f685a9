// The flash storage's test controls.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "console/host_services.h"
#include "console/nand/nand_internal.h"

namespace {

struct Controls {
    std::optional<s32> failures[size_t(HostNANDCall::Count)];
    std::optional<u32> shortRead;
    std::optional<u32> shortWrite;
    bool crashBeforeRename = false;
    HostNANDSpace space;
};

Controls s_controls;

u32 TakeLimit(std::optional<u32>& limit, u32 length) {
    if (!limit)
        return length;
    const u32 bytes = std::min(*limit, length);
    limit.reset();
    return bytes;
}

}  // namespace

void HostNANDFailNext(HostNANDCall call, s32 result) {
    s_controls.failures[size_t(call)] = result;
}

void HostNANDShortNextRead(u32 bytes) {
    s_controls.shortRead = bytes;
}

void HostNANDShortNextWrite(u32 bytes) {
    s_controls.shortWrite = bytes;
}

void HostNANDCrashBeforeRename() {
    s_controls.crashBeforeRename = true;
}

void HostNANDSetSpace(const HostNANDSpace& space) {
    s_controls.space = space;
}

void HostNANDReset() {
    HostMemoryScope scope;
    s_controls = Controls{};
    console::NANDResetCurrentDir();
    std::error_code error;
    std::filesystem::remove_all(console::NANDHostPath(console::kNANDTempDir), error);
}

namespace console {

bool NANDTakeFailure(HostNANDCall call, s32* result) {
    std::optional<s32>& failure = s_controls.failures[size_t(call)];
    if (!failure)
        return false;
    *result = *failure;
    failure.reset();
    return true;
}

u32 NANDTakeShortRead(u32 length) {
    return TakeLimit(s_controls.shortRead, length);
}

u32 NANDTakeShortWrite(u32 length) {
    return TakeLimit(s_controls.shortWrite, length);
}

bool NANDTakeCrashBeforeRename() {
    return std::exchange(s_controls.crashBeforeRename, false);
}

const HostNANDSpace& NANDSpace() {
    return s_controls.space;
}

}  // namespace console
