// The generated figure from the demo disc, loaded through the archive, model,
// texture and animation loaders, walked for half a second, skinned and drawn lit
// and textured by a task, against a kept picture. The picture drawn is written as
// walking_figure.png in the working folder for a person to look at;
// BOWLING_UPDATE_REFERENCE=1 makes it the new reference.
#include <gtest/gtest.h>

#include "console/screenshot.h"
#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/Wad.h"
#include "tests/game/LitScene.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/walking_figure.png";
constexpr const char* kDrawn = "walking_figure.png";

struct Walker {
    s_model* model = nullptr;
    s_hmatrix* hmatrix = nullptr;
    s_hanim* walk = nullptr;
    s_Matrix4 world{};
};

void DrawWalker(s_thread*, void* data) {
    Walker& walker = *static_cast<Walker*>(data);
    SetUpLitScene({1.4f, 1.5f, 2.0f, 0.0f}, {0.0f, 0.9f, 0.0f, 0.0f});

    HAnimUpdate(walker.walk, walker.hmatrix, nullptr);
    HMatrixUpdateMatrix(walker.hmatrix, &walker.world);
    ModelClearVertsWeighted(walker.model);
    ModelDraw(walker.model, &walker.world, walker.hmatrix, nullptr);
}

class FigurePictureTest : public DemoDiscFixture {
protected:
};

TEST_F(FigurePictureTest, WalksSkinnedLitAndTexturedAsInTheKeptPicture) {
    s_wad* wad = WadLoad("DATA/FIGURE.WAD", 0);
    ASSERT_NE(wad, nullptr);
    Walker walker;
    walker.model = ModelLoad("FIGURE", nullptr, 0);
    ASSERT_NE(walker.model, nullptr);
    ASSERT_EQ(walker.model->numAnimDefs, 1);
    ASSERT_NE(walker.model->animDefs[0].animation, nullptr);
    ASSERT_NE(walker.model->textureDefs[0].texture, nullptr);
    walker.hmatrix = HMatrixAlloc(walker.model->boneList, s16(walker.model->numBones),
                                  s16(walker.model->rootBoneId), nullptr);
    ASSERT_NE(walker.hmatrix, nullptr);
    walker.walk = HAnimPlayFromBankAndId(walker.model->animDefs[0].animation, 0, 1.0f, 0, HANIM_SYS_INIT,
                                         walker.hmatrix, nullptr, nullptr, nullptr);
    ASSERT_NE(walker.walk, nullptr);
    walker.world = IDMatrix4;
    Matrix4RotateY(&walker.world, 0.5f);

    s_thread* task = ThreadInsertPriorityDebug("Walker", nullptr, &walker, DrawWalker, nullptr, 5100);
    EventWait(30);  // past the black frames after start-up, into the stride
    // A pose a frame out or a face lit from the wrong side changes thousands.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
    ThreadKill(task);

    HAnimStop(walker.walk);
    HMatrixFree(walker.hmatrix);
    ModelFree(walker.model);
    WadFree(wad);
}

}  // namespace
