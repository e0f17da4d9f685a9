// A cut scene written by the disc builder's writer, played from memory over the
// demo disc's figure: its camera, a walking figure, a second figure created twice
// and moved, a third faded out, sparks from a texture, sprite set and particle
// attributes the script loads (started by the owner's handler on the walker), and
// a screen fade under way, against a kept picture. The
// picture drawn is written as cutscene.png for a person to look at;
// BOWLING_UPDATE_REFERENCE=1 makes it the new reference.
#include <gtest/gtest.h>

#include "orblib47/source/CutScene.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/ParticleList.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/SpriteGroup.h"
#include "orblib47/source/Wad.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tools/discbuild/CsfWriter.h"
#include "tools/discbuild/PatWriter.h"
#include "tools/discbuild/SprWriter.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/modelgen/Figure.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/cutscene.png";
constexpr const char* kDrawn = "cutscene.png";

u32 Ambient(s_cs_object*) {
    return 0x606060FF;
}

// GAME_PLAY_PARTICLE, as this test's owner defines it: the sparks in front of
// object `parm`, in a particle list the object frees.
s32 Handler(s_orb_cut_scene* cs, s_cs_cmd_queue*, s32 reason, s_cs_cmd* cmd) {
    if (reason != 1 || cmd->type != CS_CMD_TYPE_GAME_PLAY_PARTICLE)
        return 0;
    s_cs_object& object = cs->objectList[cmd->parm];
    const s_Vector3 at = {object.matrix.at(0, 3) + 0.5f, object.matrix.at(1, 3) + 1.0f,
                          object.matrix.at(2, 3) + 0.6f, 0.0f};
    object.parList = ParticleListAlloc(&at);
    ParticleListAdd(object.parList, ParticleSystemLoad("SPARKS", &at, 0, 0));
    return 0;
}

// A round white spot on clear.
std::vector<u8> Spot() {
    discbuild::TimTexture texture;
    constexpr u32 kSize = 16;
    texture.image = {kSize, kSize, std::vector<u8>(kSize * kSize * 4)};
    for (u32 y = 0; y < kSize; ++y)
        for (u32 x = 0; x < kSize; ++x) {
            const f32 dx = f32(x) - 7.5f, dy = f32(y) - 7.5f;
            u8* texel = &texture.image.rgba[(y * kSize + x) * 4];
            texel[0] = texel[1] = texel[2] = 255;
            texel[3] = dx * dx + dy * dy < 49.0f ? 255 : 0;
        }
    return discbuild::TimPayload(texture);
}

std::vector<u8> SparkSet() {
    discbuild::SpriteSet set;
    set.textures = {"SPOT"};
    set.cells.resize(1);
    set.cells[0].uv = {0, 0, 1, 0, 1, 1, 0, 1};
    return discbuild::SprPayload(set);
}

std::vector<u8> Sparks() {
    discbuild::ParticleDef def;
    def.spriteType = SPRITE_TYPE_SPRITE;
    def.spriteSet = "SPARKSET";
    def.numElement = 40;
    def.maxAge = 3.0f;
    def.elemMaxAge = 0.6f;
    def.elemSize = 0.15f;
    def.elemMinVel = {-0.6f, 0.2f, -0.6f, 0};
    def.elemMaxVel = {0.6f, 0.8f, 0.6f, 0};
    def.gravity = -1.0f;
    def.colorStart = {1.0f, 0.9f, 0.3f, 1.0f};
    def.colorEnd = {1.0f, 0.3f, 0.1f, 0.0f};
    return discbuild::PatPayload(def);
}

std::vector<u8> Script() {
    using discbuild::CsfCommand;
    discbuild::CsfScript script;
    script.data = {{"FIGURE", "VHM"},
                   {modelgen::kFigureBankName, "VHA"},
                   {"SPOT", "TIM"},
                   {"SPARKSET", "SPR"},
                   {"SPARKS", "PAT"}};
    const s_Quaternion turned = {0.0f, 0.38f, 0.0f, 0.925f};
    script.instances = {{{0.0f, 0.0f, 0.0f, 0.0f}, {1, 1, 1, 0}, turned, 0},
                        {{1.2f, 0.0f, -1.5f, 0.0f}, {1, 1, 1, 0}, {0, 0, 0, 1}, 0},
                        {{-1.0f, 0.0f, -1.0f, 0.0f}, {2, 2, 2, 0}, {0, 0, 0, 1}, 0},
                        {{0.9f, 0.0f, 0.6f, 0.0f}, {1, 1, 1, 0}, {0, 0, 0, 1}, 0}};
    const s_Vector3 eye = {1.6f, 1.6f, 2.6f, 0.0f}, target = {0.0f, 0.9f, 0.0f, 0.0f};
    script.commands = {
        {CS_CMD_TYPE_LOAD_TEXTURE, 0.0f, 2, Spot()},
        {CS_CMD_TYPE_LOAD_SPRITE, 0.0f, 3, SparkSet()},
        {CS_CMD_TYPE_LOAD_PARTICLE, 0.0f, 4, Sparks()},
        {CS_CMD_TYPE_SET_CAMERA, 0.0f, 0, discbuild::CsfSetCameraLookAt(eye, target, 45.0f)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.0f, 0, discbuild::CsfObject(0)},
        {CS_CMD_TYPE_OBJECT_PLAY_ANIM, 0.0f, 0, discbuild::CsfObjectPlayAnim(0, 1, 1.0f)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.0f, 0, discbuild::CsfObject(1)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.1f, 0, discbuild::CsfObject(1)},  // the first must not leak
        {CS_CMD_TYPE_OBJECT_SET_POS, 0.2f, 0, discbuild::CsfObjectSetPos(1, 2)},
        {CS_CMD_TYPE_GAME_PLAY_PARTICLE, 0.2f, 0, {}},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.2f, 0, discbuild::CsfObject(3)},
        {CS_CMD_TYPE_OBJECT_FADE_OUT, 0.2f, 0, discbuild::CsfObjectFade(3, 0.3f)},
        {CS_CMD_TYPE_FADE_OUT, 0.55f, 0, discbuild::CsfFadeOut(1.0f, 0x000000FF)},
        {CS_CMD_TYPE_OBJECT_DESTROY, 2.0f, 0, discbuild::CsfObject(0)},
    };
    return discbuild::CsfFile(script);
}

constexpr u8 kClear[3] = {0x40, 0x50, 0x60};

// The figure's wad, a sun, and the clear colour behind.
class CutScenePictureTest : public DemoDiscFixture {
protected:
    void SetUp() override {
        DemoDiscFixture::SetUp();
        wad_ = WadLoad("DATA/FIGURE.WAD", 0);
        ASSERT_NE(wad_, nullptr);
        ASSERT_EQ(SceneLightsWarmReset(2), 1);
        const s_Vector3 sun = {-0.45f, -0.8f, -0.4f, 0.0f};
        const s_Vector4 white = {1.0f, 1.0f, 1.0f, 1.0f};
        SceneLightsAddDir(&sun, &white, 100.0f, 1.0f);
        DrawSetClearColor(u32(kClear[0]) << 24 | u32(kClear[1]) << 16 | u32(kClear[2]) << 8 | 0xFFu);
    }
    void TearDown() override {
        SceneLightsShutdown();
        WadFree(wad_);
        DemoDiscFixture::TearDown();
    }

    s_wad* wad_ = nullptr;
};

TEST_F(CutScenePictureTest, PlaysCameraFiguresAndFadesAsInTheKeptPicture) {
    const u32 freeModels = HModelRecords->count;

    const std::vector<u8> image = Script();
    s_orb_cut_scene* cs = OrbCutScenePlay(image.data(), u32(image.size()), 0, 1.0f);
    ASSERT_NE(cs, nullptr);
    cs->ambientCallback[CS_AMBIENT_LIGHT_OBJECT] = Ambient;
    cs->cmdHandler = Handler;
    EventWait(40);  // into the stride, the third figure gone, the screen darkening
    EXPECT_EQ(HModelRecords->count, freeModels - 3);
    EXPECT_EQ(cs->objectList[3].fadeParms.mode, FADE_FADED_OUT);
    ASSERT_NE(cs->objectList[0].parList, nullptr);
    EXPECT_NE(cs->objectList[0].parList->particleList, nullptr);
    // A figure missing, a pose a frame out or the fade gone change thousands.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;

    OrbCutSceneStop(cs);
    EXPECT_EQ(HModelRecords->count, freeModels);
    EventWait(2);  // the killed sparks go in their next update
    for (const auto& [name, type] : {std::pair{"SPOT", "TIM"}, {"SPARKSET", "SPR"}, {"SPARKS", "PAT"}})
        EXPECT_EQ(DataFindEntry(name, type), nullptr) << name;
}

// The figure half faded out over the clear colour: each of its pixels half way
// between its opaque colour and the clear colour.
TEST_F(CutScenePictureTest, AFigureHalfFadedOutBlendsWithWhatIsBehindIt) {
    discbuild::CsfScript script;
    script.data = {{"FIGURE", "VHM"}};
    script.instances = {{{0.0f, 0.0f, 0.0f, 0.0f}, {1, 1, 1, 0}, {0, 0, 0, 1}, 0}};
    const s_Vector3 eye = {0.0f, 1.0f, 3.0f, 0.0f}, target = {0.0f, 0.9f, 0.0f, 0.0f};
    script.commands = {
        {CS_CMD_TYPE_SET_CAMERA, 0.0f, 0, discbuild::CsfSetCameraLookAt(eye, target, 45.0f)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.0f, 0, discbuild::CsfObject(0)},
        {CS_CMD_TYPE_OBJECT_FADE_OUT, 0.5f, 0, discbuild::CsfObjectFade(0, 2.0f)},
        {CS_CMD_TYPE_OBJECT_DESTROY, 3.0f, 0, discbuild::CsfObject(0)},  // the scene plays on till then
    };
    const std::vector<u8> image = discbuild::CsfFile(script);
    s_orb_cut_scene* cs = OrbCutScenePlay(image.data(), u32(image.size()), 0, 1.0f);
    ASSERT_NE(cs, nullptr);
    cs->ambientCallback[CS_AMBIENT_LIGHT_OBJECT] = Ambient;
    EventWait(20);
    HostFrame opaque;
    HostCaptureShownFrame(&opaque);
    const s_fade_parms& fade = cs->objectList[0].fadeParms;
    for (int frame = 0; frame < 120 && (fade.mode != FADE_FADING_OUT || fade.timer > 1.0f); ++frame)
        EventWait(1);
    const f32 alpha = f32(u32(255.0f * fade.alpha)) / 255.0f;
    EventWait(1);  // the frame drawn at that alpha shown
    HostFrame faded;
    HostCaptureShownFrame(&faded);
    OrbCutSceneStop(cs);

    u32 figure = 0, blended = 0;  // channels
    for (size_t i = 0; i < opaque.rgb.size(); ++i) {
        const int behind = kClear[i % 3];
        if (std::abs(opaque.rgb[i] - behind) < 40)
            continue;
        ++figure;
        blended += std::abs(faded.rgb[i] - (alpha * opaque.rgb[i] + (1.0f - alpha) * behind)) < 12.0f;
    }
    EXPECT_GT(figure, 10000u);
    EXPECT_GT(blended, figure * 9 / 10) << alpha;
}

}  // namespace
