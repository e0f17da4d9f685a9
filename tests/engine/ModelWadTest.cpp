// Models reached through archives: the "VHM" chunk loader, and textures read from
// an open table of contents.
#include "orblib47/source/Model.h"
#include "orblib47/source/Texture.h"
#include "tests/engine/WadFixture.h"
#include "tests/support/VhmTestModel.h"
#include "tools/discbuild/TimWriter.h"

namespace {

using discbuild::WadWriter;

std::vector<u8> Tim() {
    discbuild::TimTexture texture;
    texture.image = {4, 4, std::vector<u8>(64, 0xFF)};
    return discbuild::TimPayload(texture);
}

using ModelWadTest = WadFixture;

TEST_F(ModelWadTest, AnArchiveLoadsTheModelOverItsTextureAndItsFreeDropsIt) {
    const Usage before = InUse();
    std::vector<u8> bad = discbuild::VhmPayload(vhmtest::SkinnedQuad());
    bad.resize(100);
    WadWriter wad;
    wad.Add(Chunk("QUADSKIN", "TIM", Tim()));
    wad.Add(Chunk("QUAD", "VHM", discbuild::VhmPayload(vhmtest::SkinnedQuad())));
    wad.Add(Chunk("BROKEN", "VHM", bad));
    Write("FIGURE.WAD", wad);

    s_wad* handle = WadLoad("FIGURE", 0);
    ASSERT_NE(handle, nullptr);
    s_model* model = ModelLoad("QUAD", nullptr, 0);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->textureDefs[0].texture, TextureFind("QUADSKIN"));
    EXPECT_EQ(ModelLoad("BROKEN", nullptr, 0), nullptr);
    EXPECT_TRUE(report().contains("MODEL: BROKEN: bad VHM chunk (truncated header)\n"));
    EXPECT_EQ(RefCount("QUAD", "VHM"), 2);
    EXPECT_EQ(RefCount("QUADSKIN", "TIM"), 2);

    WadFree(handle);
    EXPECT_EQ(RefCount("QUAD", "VHM"), 1);
    EXPECT_EQ(RefCount("QUADSKIN", "TIM"), 1);  // the model's own
    ModelFree(model);
    EXPECT_EQ(DataFindEntry("QUADSKIN", "TIM"), nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(ModelWadTest, ATextureNotLoadedIsReadFromAnOpenTableOfContents) {
    WadWriter textures;
    textures.SetToc(true);
    textures.Add(Chunk("QUADSKIN", "TIM", Tim()));
    Write("SKINS.WAD", textures);
    const Usage before = InUse();
    s_wad_toc* toc = WadOpen("SKINS");
    ASSERT_NE(toc, nullptr);

    const std::vector<u8> chunk = discbuild::VhmPayload(vhmtest::SkinnedQuad());
    void* payload = HeapMalloc(u32(chunk.size()), __FILE_NAME__, __LINE__);
    std::memcpy(payload, chunk.data(), chunk.size());
    s_model* model = ModelLoad("QUAD", payload, u32(chunk.size()));
    ASSERT_NE(model, nullptr);
    ASSERT_NE(model->textureDefs[0].texture, nullptr);
    EXPECT_EQ(model->textureDefs[0].texture, TextureFind("QUADSKIN"));
    EXPECT_EQ(RefCount("QUADSKIN", "TIM"), 2);  // the table's read and the model

    ModelFree(model);
    EXPECT_EQ(RefCount("QUADSKIN", "TIM"), 1);
    WadClose(toc);
    EXPECT_EQ(DataFindEntry("QUADSKIN", "TIM"), nullptr);
    EXPECT_EQ(InUse(), before);
}

}  // namespace
