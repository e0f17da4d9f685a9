// A console with a 4 MB MEM1 and an 8 MB MEM2, the arenas taken and the heaps built
// on them; the debug output is captured until a test stops the capture (death
// tests must, so their messages reach standard error).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console/poison.h"
#include "console/system.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Memory.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReportCapture.h"

class HeapFixture : public ::testing::Test {
protected:
    static constexpr u32 kMaxHandle = 1024;
    static constexpr u32 kMem1Size = 4u * 1024 * 1024;
    static constexpr u32 kMem2Size = 8u * 1024 * 1024;

    void SetUp() override {
        HostConfig config = TestHostConfig();
        config.mem1Size = kMem1Size;
        config.mem2Size = kMem2Size;
        HostInit(config);
        report_.emplace();
        MemoryColdReset();
        Rebuild(kMaxHandle);
    }

    void TearDown() override {
        g_UseFastHeapSearch = 0;
        g_HeapDumpOnOrphans = 0;
        report_.reset();
        MemoryExit();
        HostShutdown();
    }

    // A fresh warm reset with another handle count; the capture restarts.
    void Rebuild(u32 maxhandle) {
        report_.reset();
        SysIdReset();
        HeapWarmReset(maxhandle, MemoryGetBase(), MemoryGetSize());
        report_.emplace();
    }

    // Runs `body` with the debug output on standard error, where death tests look.
    template <typename Body>
    void Uncaptured(Body body) {
        report_.reset();
        body();
    }
    std::string output() const { return report_ ? report_->text() : std::string(); }
    void clearOutput() { report_->clear(); }

    static std::uintptr_t Addr(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }
    static std::uintptr_t AlignDown(std::uintptr_t v, std::uintptr_t a) { return v & ~(a - 1); }
    static std::uintptr_t AlignUp(std::uintptr_t v, std::uintptr_t a) { return (v + a - 1) & ~(a - 1); }

    // Under the sanitizer the heap keeps headers poisoned; a test may look inside.
    static s_malloc_header* HeaderOf(void* p) {
        auto* header = reinterpret_cast<s_malloc_header*>(static_cast<u8*>(p) - MALLOC_HEADER_SIZE);
        UnpoisonMemory(header, MALLOC_HEADER_SIZE);
        return header;
    }
    static s_mem_handle* HandleOf(void* p) { return HeaderOf(p)->handle; }

    // The blocks between the end markers, in list order.
    static std::vector<s_mem_handle*> Blocks(s_heap& heap) {
        std::vector<s_mem_handle*> blocks;
        for (s_mem_handle* node = heap.lomem.next; node != &heap.himem; node = node->next)
            blocks.push_back(node);
        return blocks;
    }

    static std::size_t Count(const std::string& text, const std::string& needle) {
        std::size_t count = 0;
        for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
            ++count;
        return count;
    }

    std::optional<ReportCapture> report_;
};
