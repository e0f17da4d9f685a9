// The engine on the virtual clock with the registry, name pool, language, string
// tables and symbol table reset, and helpers to make heap images and check that a
// test leaves the heaps as it found them.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Language.h"
#include "orblib47/source/Name.h"
#include "orblib47/source/StringTable.h"
#include "orblib47/source/SymbolTrans.h"
#include "tests/support/EngineFixture.h"

class DataFixture : public EngineFixture {
protected:
    static constexpr u32 kMaxData = 16;

    void SetUp() override {
        EngineFixture::SetUp();
        DataWarmReset(kMaxData);  // a small pool, so that tests can run it out
    }

    // A heap block holding `bytes`, as the archive loader hands payloads over.
    static void* Image(const std::vector<u8>& bytes) {
        void* block = HeapMalloc(u32(bytes.size()), __FILE_NAME__, __LINE__);
        if (!bytes.empty())
            std::memcpy(block, bytes.data(), bytes.size());
        return block;
    }
    static void* Image(u32 size = 16) { return Image(std::vector<u8>(size, 0xAB)); }

    struct HeapState {
        u32 avail;
        u32 numHandles;
        bool operator==(const HeapState&) const = default;
    };
    static HeapState Heaps() {
        return {MainHeap.avail + ExtraHeap.avail, MainHeap.numHandles + ExtraHeap.numHandles};
    }
};

// Fails a test that leaves heap blocks behind.
class LeakCheckedFixture : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        before_ = Heaps();
    }
    void TearDown() override {
        EXPECT_EQ(Heaps(), before_);
        DataFixture::TearDown();
    }

    HeapState before_{};
};

class DataDeathFixture : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        report_.reset();
    }
};
