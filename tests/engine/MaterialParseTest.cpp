#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Material.h"
#include "tools/discbuild/MaterialWriter.h"

namespace {

using discbuild::MaterialRecord;

// Every field distinct, so a swapped or shifted field shows.
s_ORB_MATERIAL Sample() {
    s_ORB_MATERIAL m{};
    for (int i = 0; i < 16; ++i)
        m.matrix.element[i] = 0.5f * f32(i + 1);
    m.ambient = {0.1f, 0.2f, 0.3f, 0.4f};
    m.diffuse = {0.5f, 0.6f, 0.7f, 0.8f};
    m.specular = {0.9f, 1.0f, 0.25f, 0.75f};
    m.emissive = {0.05f, 0.15f, 0.35f, 0.45f};
    m.drawModes = {
        DC_COMBINE_ALPHA_ADD, DC_CULL_NONE, DC_ZMODE_LESS, 1, DC_TEXTURE_WRAP_CLAMP, DC_STENCIL_ON, 1, 0};
    m.flags = MATERIAL_FLAG_HAS_ALPHA | MATERIAL_FLAG_HAS_SPECULAR;
    m.shininess = 20.0f;
    m.mode = MATERIAL_MODE_DOUBLE_SIDED_STENCIL;
    m.depthOffset = -1.5f;
    m.numShaderParms = 2;
    m.shaderParmList[3] = 7.0f;
    m.numTexturePasses = 2;
    std::strcpy(m.texturePassList[0].textureName, "EARTH512");
    m.texturePassList[0].mode = TEXTURE_MODE_DIFFUSE;
    m.texturePassList[0].combine = DC_COMBINE_ALPHA;
    std::strcpy(m.texturePassList[1].textureName, "SIXTEENCHARSLONG");  // no terminator in the file
    m.texturePassList[1].mode = TEXTURE_MODE_SPECULAR_REFLECT;
    m.texturePassList[1].combine = DC_COMBINE_ALPHA_STENCIL;
    m.texturePassList[1].parms[5] = 448.0f;
    m.texturePassList[3].parms[0] = 0.03f;
    return m;
}

TEST(MaterialParse, RoundTripsEveryFileFieldAndEmptiesTheRunTimeSlots) {
    s_ORB_MATERIAL source = Sample();
    source.setupFunc = [](s_ORB_MATERIAL*) {};
    source.texturePassList[0].texture = reinterpret_cast<s_texture*>(0x1234);
    std::array<u8, ORB_MATERIAL_FILE_SIZE> record = MaterialRecord(source);
    EXPECT_EQ(LoadBE32(&record[148]), 0u);
    EXPECT_EQ(LoadBE32(&record[184 + 16]), 0u);
    EXPECT_EQ(LoadBE32(&record[144]), u32(MATERIAL_MODE_DOUBLE_SIDED_STENCIL));
    EXPECT_EQ(record[128], u8(DC_COMBINE_ALPHA_ADD));

    // Whatever a file holds in the run-time slots, they come out empty.
    StoreBE32(&record[148], 0xDEADBEEFu);
    for (u32 p = 0; p < 4; ++p)
        StoreBE32(&record[184 + p * TEXTURE_PASS_FILE_SIZE + 16], 0x80001000u + p);

    s_ORB_MATERIAL parsed;
    std::memset(&parsed, 0xA5, sizeof parsed);
    ASSERT_TRUE(OrbMaterialParse(record, &parsed));
    EXPECT_EQ(parsed.setupFunc, nullptr);
    for (const s_TEXTURE_PASS& pass : parsed.texturePassList)
        EXPECT_EQ(pass.texture, nullptr);
    EXPECT_STREQ(parsed.texturePassList[0].textureName, "EARTH512");
    EXPECT_STREQ(parsed.texturePassList[1].textureName, "SIXTEENCHARSLONG");
    EXPECT_EQ(parsed.drawModes, source.drawModes);
    EXPECT_EQ(parsed.mode, MATERIAL_MODE_DOUBLE_SIDED_STENCIL);
    EXPECT_EQ(parsed.specular.w, 0.75f);
    EXPECT_EQ(parsed.texturePassList[1].parms[5], 448.0f);

    const std::array<u8, ORB_MATERIAL_FILE_SIZE> again = MaterialRecord(parsed);
    const std::array<u8, ORB_MATERIAL_FILE_SIZE> clean = MaterialRecord(Sample());
    EXPECT_EQ(again, clean);
}

TEST(MaterialParse, RejectsBadRecords) {
    struct Case {
        const char* what;
        u32 offset;
        u32 word;  // written big-endian, or as a byte for offsets inside the draw modes
    };
    const Case cases[] = {
        {"mode past the table", 144, MATERIAL_MODE_COUNT},
        {"mode far past the table", 144, 0xFFFFFFFFu},
        {"negative pass count", 180, 0xFFFFFFFFu},
        {"five passes", 180, 5},
        {"unknown combine", 128, DC_COMBINE_COUNT},
        {"unknown cull", 129, DC_CULL_COUNT},
        {"unknown z-buffer mode", 130, DC_ZMODE_COUNT},
        {"z-write not 0/1", 131, 2},
        {"unknown wrap", 132, DC_TEXTURE_WRAP_COUNT},
        {"unknown stencil", 133, 1},
        {"lighting not 0/1", 134, 7},
    };
    const std::array<u8, ORB_MATERIAL_FILE_SIZE> good = MaterialRecord(Sample());
    for (const Case& c : cases) {
        std::array<u8, ORB_MATERIAL_FILE_SIZE> record = good;
        if (c.offset >= 128 && c.offset < 136)
            record[c.offset] = u8(c.word);
        else
            StoreBE32(&record[c.offset], c.word);
        s_ORB_MATERIAL parsed{};
        EXPECT_FALSE(OrbMaterialParse(record, &parsed)) << c.what;
    }

    s_ORB_MATERIAL parsed{};
    for (u32 size = 0; size < ORB_MATERIAL_FILE_SIZE; size += 7)
        EXPECT_FALSE(OrbMaterialParse(std::span<const u8>(good.data(), size), &parsed)) << size;
    // The edges of what is accepted.
    std::array<u8, ORB_MATERIAL_FILE_SIZE> record = good;
    StoreBE32(&record[180], 4);
    StoreBE32(&record[144], MATERIAL_MODE_COUNT - 1);
    EXPECT_TRUE(OrbMaterialParse(record, &parsed));
    StoreBE32(&record[180], 0);
    EXPECT_TRUE(OrbMaterialParse(record, &parsed));
}

TEST(MaterialParse, MutatedRecordsParseOnlyIntoUsableMaterials) {
    const std::array<u8, ORB_MATERIAL_FILE_SIZE> good = MaterialRecord(Sample());
    std::mt19937 random(138);
    for (int trial = 0; trial < 2000; ++trial) {
        std::array<u8, ORB_MATERIAL_FILE_SIZE> record = good;
        for (int flips = 1 + trial % 8; flips > 0; --flips)
            record[random() % record.size()] ^= u8(1u << (random() % 8));
        s_ORB_MATERIAL parsed;
        if (!OrbMaterialParse(record, &parsed))
            continue;
        EXPECT_LT(u32(parsed.mode), u32(MATERIAL_MODE_COUNT));
        EXPECT_GE(parsed.numTexturePasses, 0);
        EXPECT_LE(parsed.numTexturePasses, MATERIAL_MAX_TEXTURE_PASSES);
        for (const s_TEXTURE_PASS& pass : parsed.texturePassList) {
            EXPECT_EQ(pass.texture, nullptr);
            EXPECT_LE(std::strlen(pass.textureName), TEXTURE_PASS_NAME_LEN);
        }
    }
}

}  // namespace
