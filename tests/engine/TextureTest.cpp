#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Texture.h"
#include "tests/engine/DataFixture.h"
#include "tests/engine/WadFixture.h"
#include "tools/discbuild/TimWriter.h"

namespace {

using namespace discbuild;

constexpr u32 kMapRecord = kTimHeaderSize;  // the first image record

TimTexture Direct(TexFormat format, u32 levels = 1) {
    TimTexture texture;
    texture.format = format;
    texture.image = {16, 8, std::vector<u8>(16 * 8 * 4, 0x80)};
    for (size_t i = 0; i < texture.image.rgba.size(); ++i)
        texture.image.rgba[i] = u8(i * 13);
    texture.levels = levels;
    return texture;
}

TimTexture Indexed(u32 entries, u32 width = 8, u32 height = 4) {
    TimTexture texture;
    texture.format = TexFormat::C8;
    texture.image = {width, height, {}};
    for (u32 i = 0; i < width * height; ++i)
        texture.indices.push_back(u8(i % entries));
    for (u32 i = 0; i < entries; ++i)
        texture.palette.push_back(0x10101000u * i | 0xFF);
    return texture;
}

class TextureTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        TextureWarmReset(8, 0);
        before_ = Heaps();
    }

    static s_texture* Load(const char* name, const std::vector<u8>& chunk) {
        return TextureLoad(name, Image(chunk), u32(chunk.size()));
    }
    static s32 RefCount(const char* name) {
        s_DATA_ENTRY* entry = DataFindEntry(name, "TIM");
        return entry ? entry->refCount : 0;
    }

    HeapState before_{};
};

TEST_F(TextureTest, ANameLoadedTwiceIsSharedAndTheLastFreeReleasesIt) {
    const std::vector<u8> chunk = TimPayload(Direct(TexFormat::RGBA8));
    s_texture* first = Load("WOOD", chunk);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Load("WOOD", chunk), first);  // the second chunk is dropped
    EXPECT_EQ(TextureLoad("WOOD"), first);
    EXPECT_EQ(RefCount("WOOD"), 3);
    EXPECT_EQ(TextureFind("WOOD"), first);

    TextureFree(first);
    TextureFree(first);
    EXPECT_EQ(TextureFind("WOOD"), first);
    TextureFree(first);
    EXPECT_EQ(TextureFind("WOOD"), nullptr);
    TextureFree(nullptr);
    EXPECT_EQ(Heaps(), before_);
}

TEST_F(TextureTest, AReferenceToANameNeverLoadedIsNull) {
    EXPECT_EQ(TextureLoad("NOTHERE"), nullptr);
    EXPECT_EQ(RefCount("NOTHERE"), 0);
    EXPECT_EQ(Heaps(), before_);
}

TEST_F(TextureTest, FormatsLevelsAndPalettesReachTheTextureObjects) {
    struct Case {
        TimTexture texture;
        const char* name;
        u32 mips;
        u32 clut;
    } cases[] = {
        {Direct(TexFormat::RGBA8), "GX_TF_RGBA8", 0, 0},
        {Direct(TexFormat::CMPR, 3), "GX_TF_CMPR", 3, 0},
        {Indexed(200), "GX_TF_C8", 0, 800},
        {Indexed(256), "GX_TF_C8", 0, 1024},
        {Indexed(16, 1024, 1024), "GX_TF_C8", 0, 64},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.texture.mipBias = 7.0f;
        const std::vector<u8> chunk = TimPayload(c.texture);
        s_texture* texture = Load("TEX", chunk);
        ASSERT_NE(texture, nullptr);
        EXPECT_STREQ(TextureGetFormatName(texture), c.name);
        EXPECT_EQ(TextureGetNumMips(texture), c.mips);
        EXPECT_EQ(TextureGetClutSize(texture), c.clut);
        EXPECT_EQ((texture->flags & TEXTURE_MIPMAPPED) != 0, c.mips > 1);
        EXPECT_EQ(texture->mipBias, c.mips > 1 ? 3.99f : 0.0f);

        const u8* base = static_cast<const u8*>(texture->dataEntry->addr);
        const s_texture_map& map = texture->file.maps[0];
        EXPECT_EQ(map.image, base + LoadBE32(&chunk[kMapRecord + 20]));
        EXPECT_EQ(map.textureObj[0].image, map.image);
        EXPECT_EQ(map.textureObj[0].width, c.texture.image.width);
        EXPECT_EQ(GXGetTexObjFmt(&map.textureObj[0]), map.imageFormat);
        if (c.clut != 0) {
            EXPECT_EQ(map.tlutObj[0].data, map.palette);
            EXPECT_EQ(map.tlutObj[1].data, map.palette + 512);
            EXPECT_EQ(map.tlutObj[1].numEntries, c.clut / 4);
            EXPECT_EQ(map.textureObj[1].tlutName, u32(GX_TLUT1));
        }
        TextureFree(texture);
        EXPECT_EQ(Heaps(), before_);
    }
}

// With Keep_File clear the texels the objects point at must outlive the load.
TEST_F(TextureTest, TexelsStayWhereTheObjectsPointWhateverKeepFileSays) {
    for (bool keep : {false, true}) {
        TimTexture source = Direct(TexFormat::RGBA8);
        source.keepFile = keep;
        const std::vector<u8> chunk = TimPayload(source);
        s_texture* texture = Load("KEEP", chunk);
        ASSERT_NE(texture, nullptr);
        const s_texture_map& map = texture->file.maps[0];
        const u32 offset = LoadBE32(&chunk[kMapRecord + 20]);
        EXPECT_EQ(std::vector<u8>(map.image, map.image + map.imageSize),
                  std::vector<u8>(chunk.begin() + offset, chunk.begin() + offset + map.imageSize));
        TextureFree(texture);
    }
    EXPECT_EQ(Heaps(), before_);
}

TEST_F(TextureTest, ChildrenAreFoundByNameOnceLoaded) {
    TimTexture parent = Direct(TexFormat::RGBA8);
    parent.children = {"KID0", "KID1"};
    s_texture* texture = Load("PARENT", TimPayload(parent));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(TextureGetChild(texture, 0), nullptr);  // not loaded: never a file word
    s_texture* kid = Load("KID0", TimPayload(Direct(TexFormat::RGBA8)));
    EXPECT_EQ(TextureGetChild(texture, 0), kid);
    EXPECT_EQ(TextureGetChild(texture, 256), kid);  // the low 8 bits count
    EXPECT_EQ(TextureGetChild(texture, 2), texture);
    EXPECT_EQ(TextureGetChild(kid, 0), kid);
    EXPECT_EQ(TextureGetChild(nullptr, 0), nullptr);
    TextureFree(kid);
    EXPECT_EQ(TextureGetChild(texture, 0), nullptr);
    TextureFree(texture);
    EXPECT_EQ(Heaps(), before_);
}

TEST_F(TextureTest, BadChunksAreRefusedWithoutALeak) {
    const std::vector<u8> direct = TimPayload(Direct(TexFormat::RGBA8));
    const std::vector<u8> indexed = TimPayload(Indexed(16));
    // Texels enough for a side of 1025.
    const std::vector<u8> wide = TimPayload(Indexed(16, 1032, 4));
    const std::vector<u8> tall = TimPayload(Indexed(16, 8, 1028));
    const u32 size = u32(indexed.size());
    struct Case {
        const char* what;
        const std::vector<u8>* chunk;
        u32 offset;
        u32 value;
    } cases[] = {
        {"no levels", &direct, 12, 0},
        {"image records past the end", &direct, 16, u32(direct.size()) - 100},
        {"child table past the end", &direct, 20, 1000},
        {"zero width", &direct, kMapRecord + 4, 0},
        {"wider than 1024", &wide, kMapRecord + 4, 1025},
        {"taller than 1024", &tall, kMapRecord + 8, 1025},
        {"texels past the end", &direct, kMapRecord + 20, u32(direct.size()) - 4},
        {"texels too few", &direct, kMapRecord + 16, 16},
        {"unknown format", &direct, kMapRecord + 120, 5},
        {"palette on a direct format", &direct, kMapRecord + 24, 16},
        {"palette past 256 entries", &indexed, kMapRecord + 24, 257},
        {"palette past the end", &indexed, kMapRecord + 28, size - 512},
        {"unknown palette format", &indexed, kMapRecord + 124, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<u8> chunk = *c.chunk;
        StoreBE32(&chunk[c.offset], c.value);
        const size_t printed = report().text().size();
        EXPECT_EQ(Load("BAD", chunk), nullptr);
        EXPECT_NE(report().text().find("TEXTURE: BAD: bad TIM chunk", printed), std::string::npos);
        EXPECT_EQ(TextureFind("BAD"), nullptr);
        EXPECT_EQ(Heaps(), before_);
    }
}

TEST_F(TextureTest, TruncatedAndMutatedChunksNeverCrashOrLeak) {
    TimTexture source = Indexed(16);
    source.children = {"KID"};
    const std::vector<u8> chunk = TimPayload(source);
    const u32 palette = LoadBE32(&chunk[kMapRecord + 28]);
    for (u32 size = 0; size < chunk.size(); ++size) {
        const std::vector<u8> cut(chunk.begin(), chunk.begin() + size);
        EXPECT_EQ(Load("CUT", cut), nullptr) << size;
    }
    EXPECT_LT(palette, chunk.size());
    for (u32 at = 0; at < palette; ++at) {
        for (u8 value : {u8(0x00), u8(0x7F), u8(0xFF)}) {
            std::vector<u8> mutated = chunk;
            mutated[at] = value;
            TextureFree(Load("MUT", mutated));
        }
    }
    EXPECT_EQ(Heaps(), before_);
}

using TextureWadTest = WadFixture;

// The archive holds one reference; callers take theirs by name.
TEST_F(TextureWadTest, AnArchiveLoadsItsTexturesAndItsFreeDropsThem) {
    const Usage before = InUse();
    TimTexture bad = Direct(TexFormat::RGBA8);
    std::vector<u8> badChunk = TimPayload(bad);
    StoreBE32(&badChunk[kMapRecord + 120], 99);
    WadWriter wad;
    wad.Add(Chunk("BALL", "TIM", TimPayload(Direct(TexFormat::CMPR, 2))));
    wad.Add(Chunk("BROKEN", "TIM", badChunk));
    Write("TEX.WAD", wad);

    s_wad* handle = WadLoad("TEX", 0);
    ASSERT_NE(handle, nullptr);
    s_texture* ball = TextureFind("BALL");
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(handle->address, ball);
    EXPECT_EQ(TextureFind("BROKEN"), nullptr);
    EXPECT_EQ(TextureLoad("BALL"), ball);
    EXPECT_EQ(RefCount("BALL", "TIM"), 2);

    WadFree(handle);
    EXPECT_EQ(TextureFind("BALL"), ball);
    TextureFree(ball);
    EXPECT_EQ(TextureFind("BALL"), nullptr);
    EXPECT_EQ(InUse(), before);
}

}  // namespace
