// What every harness shares: the program's own life cycle (the console on the
// virtual clock with a disc folder of its own, the engine cold- and warm-reset on
// it, once per process), and a check after every input that the engine is left
// as it was found.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "console/types.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size);

namespace fuzz {

// What an input must give back.
struct Counts {
    u32 mainAvail, mainHandles;
    u32 extraAvail, extraHandles;
    u32 freeHandleRecords;
    u32 freeWads, freeTocs, freeStatus;
    u32 openFiles;
    bool operator==(const Counts&) const = default;
};

// Lives for one input. The first one starts the console and the engine. On
// destruction, a count that differs from its value at construction aborts with a
// message naming it.
class Input {
public:
    Input();
    ~Input();
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

private:
    Counts start_;
};

// Files of the disc folder, by disc path ("FUZZ.WAD"), and the folder on the host.
void WriteDiscFile(const std::string& path, std::span<const u8> bytes);
void RemoveDiscFile(const std::string& path);
const std::string& DiscRoot();

// An input as two parts: the first two bytes (big-endian) give the length of the
// first part, the rest is the second.
std::pair<std::span<const u8>, std::span<const u8>> Split(std::span<const u8> input);

// Text cut at every NUL byte; an input without one is one part.
std::vector<std::string> SplitAtNul(std::span<const u8> input);

// A heap block holding a copy of `bytes`, as a loader takes its chunk; null when
// the heap has no room.
void* HeapCopy(std::span<const u8> bytes);

// Stops the program with a message: a harness's own check failed.
[[noreturn]] void Fail(const std::string& what);

}  // namespace fuzz
