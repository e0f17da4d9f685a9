// The engine on a temporary disc with the file layer, the registry, the string
// tables and the archive module reset; helpers to write archives into the disc's
// "DATA" folder and to check that a test leaves memory and records as it found them.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <vector>

#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Language.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/StringTable.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/Wad.h"
#include "source/OrbMain.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/discbuild/WadWriter.h"

class WadFixture : public EngineFixture {
protected:
    static constexpr u32 kMaxWad = 512;
    static constexpr u32 kMaxData = 64;

    HostConfig Config() const override { return disc_.Config(); }

    void SetUp() override {
        EngineFixture::SetUp();
        // Small pools, so that tests can run them out.
        DataWarmReset(kMaxData);
        WadWarmReset(kMaxWad);
        std::filesystem::create_directories(disc_.root() + "/DATA");
        FileChangeDirectory("DATA");
    }

    void TearDown() override {
        if (HasFailure() && report_)
            std::cerr << report().text();
        FreeHog();
        EngineFixture::TearDown();
    }

    void Write(const std::string& file, const std::vector<u8>& image) const {
        disc_.Write("DATA/" + file, image);
    }
    void Write(const std::string& file, const discbuild::WadWriter& wad) const { Write(file, wad.Image()); }

    static discbuild::WadChunk Chunk(const std::string& name, const std::string& type,
                                     std::vector<u8> payload, u16 flags = 0, u32 id = 0) {
        return {name, type, std::move(payload), flags, 0, id};
    }
    static std::vector<u8> Bytes(u32 size, u8 seed) {
        std::vector<u8> bytes(size);
        for (u32 i = 0; i < size; ++i)
            bytes[i] = u8(seed + i * 7 + (i >> 5));
        return bytes;
    }
    // The bytes of a registered "BIN" asset.
    static std::vector<u8> Binary(const char* name, u32 size) {
        const auto* data = static_cast<const u8*>(DataFind(name, "BIN"));
        return data ? std::vector<u8>(data, data + size) : std::vector<u8>{};
    }
    static s32 RefCount(const char* name, const char* type) {
        s_DATA_ENTRY* entry = DataFindEntry(name, type);
        return entry ? entry->refCount : 0;
    }
    static u32 Count(const s_wad* wad) {
        u32 n = 0;
        for (; wad != nullptr; wad = wad->next)
            ++n;
        return n;
    }

    // Memory and records in use: equal before and after means nothing leaked.
    struct Usage {
        u32 avail;
        u32 numHandles;
        u32 freeWads;
        u32 freeStatus;
        u32 freeTocs;
        bool operator==(const Usage&) const = default;
    };
    static Usage InUse() {
        return {MainHeap.avail + ExtraHeap.avail, MainHeap.numHandles + ExtraHeap.numHandles,
                WadRecords->count, WadStatusRecords->count, WadTocRecords->count};
    }

    // Takes all but a few kilobytes of both heaps.
    void Hog() {
        for (s_heap* heap : {&MainHeap, &ExtraHeap}) {
            HeapPush(heap);
            for (u32 largest; (largest = HeapLargestAvail(heap)) > 4096;) {
                void* block = HeapMalloc(largest - 2048, __FILE_NAME__, __LINE__);
                if (block == nullptr)
                    break;
                hog_.push_back(block);
            }
            HeapPop();
        }
    }
    void FreeHog() {
        for (void* block : hog_)
            HeapMallocFree(block);
        hog_.clear();
    }

    TempDisc disc_;
    std::vector<void*> hog_;
};
