// Level game data for the tests: "GAM" chunks written by the writer, loaded as the
// archive loader hands them over, and a check that a test leaves memory as it found it.
#pragma once

#include <cstring>
#include <vector>

#include "orblib47/source/GameData.h"
#include "tests/engine/WadFixture.h"
#include "tools/discbuild/GamWriter.h"

inline discbuild::GamInstance GamTestInstance(const char* name, discbuild::GamVector pos, u32 type = 0,
                                              u32 groupId = 0, u32 flags = 0) {
    discbuild::GamInstance instance;
    instance.name = name;
    instance.pos = pos;
    instance.type = type;
    instance.groupId = groupId;
    instance.flags = flags;
    return instance;
}

class GameDataFixture : public WadFixture {
protected:
    void SetUp() override {
        WadFixture::SetUp();
        before_ = InUse();
    }
    void TearDown() override {
        for (CGameData* gameData : loaded_)
            GameDataFree(gameData);
        CInstanceList::ShutDown();
        EXPECT_EQ(InUse(), before_);
        EXPECT_EQ(InstanceList, nullptr);
        WadFixture::TearDown();
    }

    // A heap block holding the bytes, as the archive loader hands payloads over.
    static void* Image(const std::vector<u8>& bytes) {
        void* block = HeapMalloc(u32(bytes.size()), __FILE_NAME__, __LINE__);
        if (!bytes.empty())
            std::memcpy(block, bytes.data(), bytes.size());
        return block;
    }
    // Loaded and freed with the test.
    CGameData* Load(const std::vector<u8>& chunk, const char* name = "LEVEL") {
        CGameData* gameData = GameDataLoad(name, Image(chunk), u32(chunk.size()));
        if (gameData != nullptr)
            loaded_.push_back(gameData);
        return gameData;
    }
    CGameData* Load(const discbuild::GamLevel& level, const char* name = "LEVEL") {
        return Load(discbuild::GamPayload(level), name);
    }

    Usage before_{};
    std::vector<CGameData*> loaded_;
};
