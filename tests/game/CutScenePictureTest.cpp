// A cut scene written by the disc builder's writer, played from memory over the
// demo disc's figure: its camera, a walking figure, a second figure created twice
// and moved, a third faded out, and a screen fade under way, against a kept picture. The
// picture drawn is written as cutscene.png for a person to look at;
// BOWLING_UPDATE_REFERENCE=1 makes it the new reference.
#include <gtest/gtest.h>

#include "orblib47/source/CutScene.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Wad.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tools/discbuild/CsfWriter.h"
#include "tools/modelgen/Figure.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/cutscene.png";
constexpr const char* kDrawn = "cutscene.png";

u32 Ambient(s_cs_object*) {
    return 0x606060FF;
}

std::vector<u8> Script() {
    using discbuild::CsfCommand;
    discbuild::CsfScript script;
    script.data = {{"FIGURE", "VHM"}, {modelgen::kFigureBankName, "VHA"}};
    const s_Quaternion turned = {0.0f, 0.38f, 0.0f, 0.925f};
    script.instances = {{{0.0f, 0.0f, 0.0f, 0.0f}, {1, 1, 1, 0}, turned, 0},
                        {{1.2f, 0.0f, -1.5f, 0.0f}, {1, 1, 1, 0}, {0, 0, 0, 1}, 0},
                        {{-1.0f, 0.0f, -1.0f, 0.0f}, {2, 2, 2, 0}, {0, 0, 0, 1}, 0},
                        {{0.9f, 0.0f, 0.6f, 0.0f}, {1, 1, 1, 0}, {0, 0, 0, 1}, 0}};
    const s_Vector3 eye = {1.6f, 1.6f, 2.6f, 0.0f}, target = {0.0f, 0.9f, 0.0f, 0.0f};
    script.commands = {
        {CS_CMD_TYPE_SET_CAMERA, 0.0f, 0, discbuild::CsfSetCameraLookAt(eye, target, 45.0f)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.0f, 0, discbuild::CsfObject(0)},
        {CS_CMD_TYPE_OBJECT_PLAY_ANIM, 0.0f, 0, discbuild::CsfObjectPlayAnim(0, 1, 1.0f)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.0f, 0, discbuild::CsfObject(1)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.1f, 0, discbuild::CsfObject(1)},  // the first must not leak
        {CS_CMD_TYPE_OBJECT_SET_POS, 0.2f, 0, discbuild::CsfObjectSetPos(1, 2)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.2f, 0, discbuild::CsfObject(3)},
        {CS_CMD_TYPE_OBJECT_FADE_OUT, 0.2f, 0, discbuild::CsfObjectFade(3, 0.3f)},
        {CS_CMD_TYPE_FADE_OUT, 0.55f, 0, discbuild::CsfFadeOut(1.0f, 0x000000FF)},
        {CS_CMD_TYPE_OBJECT_DESTROY, 2.0f, 0, discbuild::CsfObject(0)},
    };
    return discbuild::CsfFile(script);
}

class CutScenePictureTest : public DemoDiscFixture {};

TEST_F(CutScenePictureTest, PlaysCameraFiguresAndFadesAsInTheKeptPicture) {
    s_wad* wad = WadLoad("DATA/FIGURE.WAD", 0);
    ASSERT_NE(wad, nullptr);
    ASSERT_EQ(SceneLightsWarmReset(2), 1);
    const s_Vector3 sun = {-0.45f, -0.8f, -0.4f, 0.0f};
    const s_Vector4 white = {1.0f, 1.0f, 1.0f, 1.0f};
    SceneLightsAddDir(&sun, &white, 100.0f, 1.0f);
    DrawSetClearColor(0x405060FF);
    const u32 freeModels = HModelRecords->count;

    const std::vector<u8> image = Script();
    s_orb_cut_scene* cs = OrbCutScenePlay(image.data(), u32(image.size()), 0, 1.0f);
    ASSERT_NE(cs, nullptr);
    cs->ambientCallback[CS_AMBIENT_LIGHT_OBJECT] = Ambient;
    EventWait(40);  // into the stride, the third figure gone, the screen darkening
    EXPECT_EQ(HModelRecords->count, freeModels - 3);
    EXPECT_EQ(cs->objectList[3].fadeParms.mode, FADE_FADED_OUT);
    // A figure missing, a pose a frame out or the fade gone change thousands.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;

    OrbCutSceneStop(cs);
    EXPECT_EQ(HModelRecords->count, freeModels);
    SceneLightsShutdown();
    WadFree(wad);
}

}  // namespace
