#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "tests/engine/DataFixture.h"
#include "tests/support/DamagedChunks.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

using namespace discbuild;

constexpr u8 kKeyed = HCHANNEL_FLAG_IS_KEYED;

VhaChannel Channel(u8 type, u8 flags, u32 boneId, u32 numKeys) {
    VhaChannel channel{type, flags, 30, boneId, {}};
    for (u32 k = 0; k < numKeys; ++k) {
        // Unit length, so that the packed quaternions can hold them too.
        const f32 s = f32(k + 1), x = 0.5f / s, y = -0.25f * s, z = 0.125f, w = 0.75f;
        const f32 n = std::sqrt(x * x + y * y + z * z + w * w);
        channel.keys.push_back({0.25f * f32(k), {x / n, y / n, z / n, w / n}, {s32(k), 8, 16, 32}});
    }
    return channel;
}

// Every channel type with a key encoding, keyed and (where it has one) unkeyed.
VhaBank AllTypes() {
    VhaBank bank{0x0100, 7, {}};
    VhaAnimation walk{"WALK", HANIM_FLAG_REPEAT, 0.0f, 2.0f, 0.25f, {}};
    const u8 types[] = {ANIM_QUAT, ANIM_POS,    ANIM_SCALE, ANIM_TRANS,
                        ANIM_FPOS, ANIM_QUAT32, ANIM_FQUAT, ANIM_FSCALE};
    u32 bone = 0;
    for (u8 type : types) {
        walk.channels.push_back(Channel(type, kKeyed, bone++, 3));
        walk.channels.push_back(Channel(type, 0, bone++, 2));
    }
    walk.channels.push_back(Channel(ANIM_EVENT, kKeyed, HANIM_CHANNEL_NO_BONE, 2));
    walk.channels.push_back(Channel(ANIM_QUAT, kKeyed | HCHANNEL_FLAG_MATERIAL, 0x80000005u, 0));
    bank.animations = {
        walk, {"IDLE", 0, 1.0f, 3.0f, 0.0f, {Channel(ANIM_FQUAT, kKeyed, 1, 1)}}, {"EMPTY", 0, 0, 0, 0, {}}};
    return bank;
}

// The channel block offset of animation `a` in a payload.
u32 ChannelsAt(const std::vector<u8>& chunk, u32 a) {
    return LoadBE32(&chunk[LoadBE32(&chunk[12]) + a * kVhaAnimationSize + 32]);
}

class AnimBankTest : public LeakCheckedFixture {
protected:
    static s_hanim_header* Load(const char* name, const std::vector<u8>& chunk, u32 flags = 0) {
        return HAnimLoad(name, Image(chunk), u32(chunk.size()), flags);
    }
};

TEST_F(AnimBankTest, KeyWalkLandsOnEveryRecordWithItsDecodedKeys) {
    const VhaBank source = AllTypes();
    const std::vector<u8> chunk = VhaPayload(source);
    s_hanim_header* bank = Load("ALLTYPES", chunk);
    ASSERT_NE(bank, nullptr) << report().text();
    EXPECT_EQ(bank->numAnim, 3);
    EXPECT_EQ(bank->bankNum, 7);
    for (s32 a = 0; a < bank->numAnim; ++a) {
        const s_hanim_data& data = bank->animList[a];
        const VhaAnimation& want = source.animations[a];
        SCOPED_TRACE(want.name);
        EXPECT_STREQ(data.name, want.name.c_str());
        EXPECT_EQ(data.flags, want.flags);
        EXPECT_EQ(data.timeEnd, want.timeEnd);
        EXPECT_TRUE(HAnimDataLoaded(&data));
        const s_hanim_channel* channel = data.channels;
        for (const VhaChannel& c : want.channels) {
            EXPECT_EQ(channel->type, c.type);
            EXPECT_EQ(channel->flags, c.flags);
            EXPECT_EQ(channel->boneId, c.boneId);
            ASSERT_EQ(channel->count, c.keys.size());
            for (u32 k = 0; k < channel->count; ++k) {
                const bool keyed = (c.flags & kKeyed) != 0;
                EXPECT_EQ(HAnimKeyTime(channel, k), keyed ? c.keys[k].time : f32(k) / 30.0f);
                if (c.type == ANIM_EVENT) {
                    EXPECT_EQ(HAnimEventKey(channel, k)->parms.type, c.keys[k].event[0]);
                    EXPECT_EQ(HAnimEventKey(channel, k)->parms.parm32, 32);
                    continue;
                }
                s_Vector4 v;
                HAnimKeyValue(channel, k, &v);
                // Half a quantisation step of the type (a packed table step is 1/724).
                const f32 tolerances[] = {1.0f / 32768, 0, 1.0f / 256, 1.0f / 8192, 0, 0,
                                          1.0f / 8192,  0, 2e-3f,      0,           0, 0};
                const f32 tolerance = tolerances[c.type];
                const bool rotation = c.type == ANIM_QUAT || c.type == ANIM_FQUAT || c.type == ANIM_QUAT32;
                const auto& want = c.keys[k].value;
                // Packing may give the other of the two quaternions of a rotation.
                const f32 sign =
                    v.x * want[0] + v.y * want[1] + v.z * want[2] + v.w * want[3] < 0 ? -1.0f : 1.0f;
                EXPECT_NEAR(sign * v.x, want[0], tolerance);
                EXPECT_NEAR(sign * v.y, want[1], tolerance);
                EXPECT_NEAR(sign * v.z, want[2], tolerance);
                EXPECT_NEAR(sign * v.w, rotation ? want[3] : 0.0f, tolerance);
            }
            channel = HAnimNextChannel(channel);
        }
        const u32 end = a + 1 < bank->numAnim ? ChannelsAt(chunk, a + 1) : u32(chunk.size());
        EXPECT_EQ(reinterpret_cast<const u8*>(channel),
                  reinterpret_cast<const u8*>(data.channels) + (end - ChannelsAt(chunk, a)));
    }
    HAnimFree(bank);
}

TEST_F(AnimBankTest, SharedByNameUntilTheLastFree) {
    const std::vector<u8> chunk = VhaPayload(AllTypes());
    s_hanim_header* first = Load("SHARED", chunk);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Load("SHARED", chunk), first);  // the second buffer is freed
    EXPECT_EQ(HAnimLoad("SHARED", nullptr, 0, 0), first);
    EXPECT_EQ(first->dataEntry->refCount, 3);
    EXPECT_EQ(HAnimLoad("NEVER", nullptr, 0, 0), nullptr);
    for (int i = 0; i < 3; ++i)
        HAnimFree(first);
    EXPECT_EQ(DataFindEntry("SHARED", "VHA"), nullptr);
}

TEST_F(AnimBankTest, AnimationIdsNameABoundBankAndAnIndex) {
    s_hanim_header* bank = Load("IDBANK", VhaPayload(AllTypes()));
    ASSERT_NE(bank, nullptr);
    u32 index = 0;
    EXPECT_EQ(HAnimResolveId(0x00120002u, &index), nullptr);
    DataRegister("IDBANK", "VHA", 0x12);
    EXPECT_EQ(HAnimResolveId(0x00120002u, &index), bank);
    EXPECT_EQ(index, 2u);
    HAnimFree(bank);
    EXPECT_EQ(HAnimResolveId(0x00120002u, &index), nullptr);
}

// A spooled bank holds only its header, names and list; nothing may play it.
TEST_F(AnimBankTest, SpooledBankResolvesNamesAndIsNotLoaded) {
    std::vector<u8> chunk = VhaPayload(AllTypes());
    const u32 kept = LoadBE32(&chunk[12]) + 3 * kVhaAnimationSize;
    s_hanim_header* bank = Load("SPOOLED", std::vector<u8>(chunk.begin(), chunk.begin() + kept), 1);
    ASSERT_NE(bank, nullptr) << report().text();
    EXPECT_EQ(bank->flags & HANIM_FLAG_SPOOLED_ANIM, HANIM_FLAG_SPOOLED_ANIM);
    EXPECT_STREQ(bank->animList[1].name, "IDLE");
    EXPECT_EQ(bank->animList[1].spoolOffset, ChannelsAt(chunk, 1));
    EXPECT_FALSE(HAnimDataLoaded(&bank->animList[1]));
    HAnimFree(bank);

    StoreBE32(&chunk[LoadBE32(&chunk[12])], kept);  // a name past what a spooled load keeps
    EXPECT_EQ(Load("SPOOLED", std::vector<u8>(chunk.begin(), chunk.begin() + kept), 1), nullptr);
    EXPECT_TRUE(report().contains("HANIM: SPOOLED: bad VHA chunk (name outside the chunk)\n"));
}

TEST_F(AnimBankTest, RunTimeSlotsStartEmptyWhateverTheFileHolds) {
    std::vector<u8> chunk = VhaPayload(AllTypes());
    StoreBE32(&chunk[20], 0xDEADBEEFu);  // aramHandle
    const u32 list = LoadBE32(&chunk[12]);
    for (u32 at = 20; at < 32; ++at)  // spoolHandle, refCount, bLoadInProgress, orgChannelPtr
        chunk[list + at] = 0xA5;
    s_hanim_header* bank = Load("SLOTS", chunk);
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank->aramHandle, nullptr);
    EXPECT_EQ(bank->animList[0].spoolHandle, nullptr);
    EXPECT_EQ(bank->animList[0].orgChannelPtr, nullptr);
    EXPECT_EQ(bank->animList[0].refCount, 1);
    EXPECT_TRUE(HAnimDataLoaded(&bank->animList[0]));
    HAnimFree(bank);  // frees no handle
}

TEST_F(AnimBankTest, ChannelTypesWithoutAKeyEncodingRejectTheBank) {
    const std::vector<u8> good = VhaPayload(AllTypes());
    const u32 first = ChannelsAt(good, 0);
    const u8 cases[][2] = {{ANIM_EULER, kKeyed}, {ANIM_MORPH, 0}, {ANIM_QUAT48, kKeyed},
                           {ANIM_EVENT, 0},      {12, kKeyed},    {0xFF, 0}};
    for (const auto& c : cases) {
        std::vector<u8> chunk = good;
        chunk[first] = c[0];
        chunk[first + 1] = c[1];
        EXPECT_EQ(Load("BADTYPE", chunk), nullptr) << int(c[0]);
        EXPECT_TRUE(report().contains("HANIM: BADTYPE: bad VHA chunk (Need to implement anim type!!!!)\n"));
    }
}

TEST_F(AnimBankTest, BadLayoutsAreRejected) {
    const std::vector<u8> good = VhaPayload(AllTypes());
    const u32 list = LoadBE32(&good[12]);
    struct Case {
        const char* why;
        u32 at;
        u32 value;
        u32 width;
    } cases[] = {
        {"truncated header", 0, 0, 0},
        {"animation list outside the chunk", 12, u32(good.size()), 4},
        {"animation list outside the chunk", 8, 0xFFFF, 2},
        {"channels not on a word", list + 32, ChannelsAt(good, 0) + 2, 4},
        {"channel blocks overlap", list + kVhaAnimationSize + 32, ChannelsAt(good, 0) + 12, 4},
        {"name outside the chunk", list, u32(good.size()), 4},
        {"name inside the keys", list, ChannelsAt(good, 0) + 13, 4},
        {"keys outside the chunk", ChannelsAt(good, 1) + 4, 2, 2},
    };
    for (const Case& c : cases) {
        std::vector<u8> chunk = good;
        if (c.width == 4)
            StoreBE32(&chunk[c.at], c.value);
        else if (c.width == 2)
            StoreBE16(&chunk[c.at], u16(c.value));
        else
            chunk.resize(31);
        EXPECT_EQ(Load("LAYOUT", chunk), nullptr) << c.why;
        EXPECT_TRUE(report().contains(std::string("HANIM: LAYOUT: bad VHA chunk (") + c.why + ")\n"))
            << c.why;
    }
}

TEST_F(AnimBankTest, TruncatedAndMutatedChunksLoadSoundlyOrNotAtAll) {
    const std::vector<u8> good = VhaPayload(AllTypes());
    const auto walk = [](s_hanim_header* bank) {
        for (s32 a = 0; a < bank->numAnim; ++a) {
            const s_hanim_channel* channel = bank->animList[a].channels;
            for (u32 c = 0; c < bank->animList[a].count; ++c, channel = HAnimNextChannel(channel))
                for (u32 k = 0; k < channel->count; ++k) {
                    s_Vector4 v;
                    HAnimKeyValue(channel, k, &v);
                    if (channel->type == ANIM_QUAT32) {
                        EXPECT_TRUE(std::isfinite(v.w));
                    }
                }
        }
        HAnimFree(bank);
    };
    for (const std::vector<u8>& chunk : Truncations(good)) {
        if (s_hanim_header* bank = Load("CUT", chunk))
            walk(bank);
    }
    for (const std::vector<u8>& chunk : Mutations(good, 2000, 12)) {
        if (s_hanim_header* bank = Load("MUTANT", chunk))
            walk(bank);
    }
}

}  // namespace
