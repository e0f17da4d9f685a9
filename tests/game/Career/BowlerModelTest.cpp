// The bowler model from the demo disc's parts archive: a built look drawn against a
// kept picture (written as built_bowler.png in the working folder;
// BOWLING_UPDATE_REFERENCE=1 makes it the new reference), rebuilding parts without
// leaking, every bowler animation, bad looks, and the items.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/BowlerPartsInternal.h"
#include "source/Career/ItemConstruction.h"
#include "source/Career/PlayerConstruction.h"
#include "source/OrbMain.h"
#include "tests/game/LitScene.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tests/support/HeapMark.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/built_bowler.png";
constexpr const char* kDrawn = "built_bowler.png";

class BowlerModelTest : public DemoDiscFixture {
protected:
    void SetUp() override {
        DemoDiscFixture::SetUp();
        FileChangeDirectory(GAME_DATABASE_FOLDER);
        BowlingDbLoad();
        FileChangeDirectory(GAME_DATA_FOLDER);
        HeapMarkTake();
    }
    // The archive's table stays open until freed, also after a failed check.
    void TearDown() override {
        PlayerPartsFree();
        DemoDiscFixture::TearDown();
    }

    // A woman with a ponytail, glasses, a cap, a long-sleeved shirt and a wrist guard.
    static void ChosenLook(CPlayerConstruction* bowler) {
        bowler->SetCharGender(1, 0);
        s_Character_Attributes& a = bowler->m_CharacterAttributes;
        a.bodyType = 1, a.faceType = 2, a.hairStyle = 1, a.hairColor = 4, a.glasses = 3, a.hat = 2;
        a.shirtType = 2, a.shirtColor = 5, a.pants = 1, a.shoes = 3, a.hand = 0;
    }
};

struct Scene {
    CPlayerConstruction* bowler;
    CWristGuardConstruction* guard;
    CBallConstruction* ball;
};

void DrawScene(s_thread*, void* data) {
    const Scene& scene = *static_cast<Scene*>(data);
    SetUpLitScene({3.2f, 1.6f, 3.4f, 0.0f}, {0.0f, 1.1f, 0.6f, 0.0f});
    scene.bowler->DrawFE();
    scene.guard->Draw(scene.bowler->GetBodyTypeModel());
    scene.ball->Draw();
}

TEST_F(BowlerModelTest, ABuiltLookPushingTheBallAwayIsDrawnAsInTheKeptPicture) {
    ASSERT_TRUE(PlayerPartsLoad());
    CPlayerConstruction bowler;
    ChosenLook(&bowler);
    bowler.UpdateBodyTypeModel();
    ASSERT_NE(bowler.GetBodyTypeModel(), nullptr);
    bowler.PlayAnim(BOWLER_ANIM_THROW_RIGHT, 1.0f, 0);
    bowler.AnimInit(0, 0, -3.0f);
    bowler.SetRotationY(10);
    CWristGuardConstruction guard;
    guard.UpdateGuardModel(4);
    CBallConstruction ball;
    ball.UpdateBallTexture(17, 0);
    ball.SetBallPosition(-1.0f, 0.4f, 1.5f);
    ball.SetScale(2.0f);

    Scene scene{&bowler, &guard, &ball};
    s_thread* task = ThreadInsertPriorityDebug("Bowler", nullptr, &scene, DrawScene, nullptr, 5100);
    EventWait(20);  // a third of a second into the throw: the push-away
    // A part on the wrong bone, a wrong texture choice or a pose a frame out changes thousands.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 80u) << "see " << kDrawn;
    ThreadKill(task);
    ball.Reset();
    guard.Reset();
    bowler.FreeAll();
    PlayerPartsFree();
}

// Each change of look rebuilds the parts it touches; going round the same looks
// again needs no more memory, and freeing everything gives it all back.
TEST_F(BowlerModelTest, ChangingTheLookRebuildsWithoutLeaking) {
    const u32 before = HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap);
    ASSERT_TRUE(PlayerPartsLoad());
    CPlayerConstruction bowler;
    const auto goRound = [&bowler] {
        bowler.UpdateBodyTypeModel();
        for (s32 shirt = 0; shirt < 3; ++shirt) {
            bowler.m_CharacterAttributes.shirtColor = shirt;
            bowler.SwapShirtTexture();
        }
        bowler.m_CharacterAttributes.hat = 1;
        bowler.UpdateHatModel();
        bowler.m_CharacterAttributes.glasses = 2;
        bowler.UpdateGlassesModel();
        bowler.SetCharGender(1, 1);
        bowler.UpdateBodyTypeModel();
        bowler.m_CharacterAttributes.shirtType = 1;
        bowler.UpdateBodyTypeModel();
        bowler.SetCharGender(0, 1);
        bowler.UpdateBodyTypeModel();
        EXPECT_NE(bowler.GetBodyTypeModel(), nullptr);
    };
    goRound();
    const u32 afterFirst = HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap);
    goRound();
    EXPECT_EQ(HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap), afterFirst);
    bowler.FreeAll();
    EXPECT_EQ(bowler.GetBodyTypeModel(), nullptr);
    PlayerPartsFree();
    EXPECT_EQ(HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap), before);
}

// The archive holds a part and a texture for the last entry of every list the
// database's looks and items can name.
TEST_F(BowlerModelTest, TheArchiveHasEveryPartTheDatabaseNames) {
    ASSERT_TRUE(PlayerPartsLoad());
    const auto last = [](u32 count) { return s32(count) - 1; };
    struct Part {
        const char* prefix;
        s32 a, b;
    };
    std::vector<Part> models, textures;
    for (s32 g = 0; g < 2; ++g) {
        const bool male = g == 0;
        models.push_back({BOWLER_SKIN, g, CAC_BODY_TYPE_COUNT - 1});
        models.push_back({BOWLER_SHIRT, g * 2 + 1, BOWLER_SHIRT_TYPE_COUNT - 1});
        models.push_back({BOWLER_PANTS, g * 2 + 1, -1});
        models.push_back({BOWLER_SHOES, g, -1});
        models.push_back({BOWLER_HEAD, g, CAC_FACE_TYPE_COUNT - 1});
        models.push_back({BOWLER_HAIR, g, last(male ? uMaleHairModelCount : uFemaleHairModelCount)});
        models.push_back({BOWLER_GLASSES, g, last(male ? uMaleGlassesModelCount : uFemaleGlassesModelCount)});
        models.push_back({BOWLER_GUARD, g, -1});
        textures.push_back({BOWLER_TEX_SHIRT, g, last(male ? uMaleBowlingTexCount : uFemaleBowlingTexCount)});
        textures.push_back({BOWLER_TEX_PANTS, g, last(male ? uMalePantsTexCount : uFemalePantsTexCount)});
        textures.push_back({BOWLER_TEX_SHOES, g, last(male ? uMaleShoeTexCount : uFemaleShoeTexCount)});
        textures.push_back({BOWLER_TEX_HAIR, last(male ? uMaleHairTexCount : uFemaleHairTexCount), -1});
    }
    models.push_back({BOWLER_BEARD, last(uFacialHairModelCount / CAC_FACIAL_HAIR_COLOURS), -1});
    models.push_back({BOWLER_TROPHY, BOWLER_TROPHY_COUNT - 1, -1});
    for (u32 i = 0; i < uDBItemCount; ++i) {
        const s_DBItem& item = ItemsList[i];
        const char* family = item.e_EquipType == EQUIP_TYPE_HAT    ? BOWLER_TEX_HAT
                             : item.e_EquipType == EQUIP_TYPE_ACC  ? BOWLER_TEX_GUARD
                             : item.e_EquipType == EQUIP_TYPE_BALL ? BOWLER_TEX_BALL
                                                                   : nullptr;
        if (family != nullptr)
            textures.push_back({family, item.m_TextureID, -1});
    }
    char name[16];
    for (const Part& part : models) {
        BowlerPartName(name, part.prefix, part.a, part.b);
        s_hmodel* model = BowlerPartLoad(name);
        EXPECT_NE(model, nullptr) << name;
        BowlerPartFree(&model);
    }
    for (const Part& texture : textures) {
        BowlerPartName(name, texture.prefix, texture.a, texture.b);
        EXPECT_TRUE(BowlerTextureLoad(name)) << name;
    }
}

TEST_F(BowlerModelTest, EveryBowlerAnimationPlaysForItsLength) {
    ASSERT_TRUE(PlayerPartsLoad());
    CPlayerConstruction bowler;
    bowler.UpdateBodyTypeModel();
    ASSERT_NE(bowler.GetBodyTypeModel(), nullptr);
    struct Case {
        u32 id;
        f32 seconds;
        bool repeats;
    };
    const Case cases[] = {
        {BOWLER_ANIM_IDLE_MALE, 2.4f, true},
        {BOWLER_ANIM_IDLE_FEMALE, 2.8f, true},
        {BOWLER_ANIM_HOLD_MALE_RIGHT, 2.4f, true},
        {BOWLER_ANIM_HOLD_MALE_LEFT, 2.4f, true},
        {BOWLER_ANIM_HOLD_FEMALE_RIGHT, 2.8f, true},
        {BOWLER_ANIM_HOLD_FEMALE_LEFT, 2.8f, true},
        {BOWLER_ANIM_APPROACH_RIGHT, BOWLER_APPROACH_TIME, false},
        {BOWLER_ANIM_APPROACH_LEFT, BOWLER_APPROACH_TIME, false},
        {BOWLER_ANIM_THROW_RIGHT, BOWLER_THROW_TIME, false},
        {BOWLER_ANIM_THROW_LEFT, BOWLER_THROW_TIME, false},
        {BOWLER_ANIM_WALK, BOWLER_WALK_TIME, true},
    };
    for (const Case& c : cases) {
        bowler.PlayAnim(c.id, 1.0f, 0);
        const s_hanim* anim = bowler.GetBodyTypeModel()->layer[ANIM_LAYER_PRIMARY].hanim;
        ASSERT_NE(anim, nullptr) << std::hex << c.id;
        EXPECT_FLOAT_EQ(HAnimGetDuration(anim), c.seconds) << std::hex << c.id;
        EXPECT_EQ((anim->flags & HANIM_FLAG_REPEAT) != 0, c.repeats) << std::hex << c.id;
    }
    // The throw's release comes after the swing back and before the end.
    EXPECT_GT(BOWLER_THROW_RELEASE_TIME, 0.5f);
    EXPECT_LT(BOWLER_THROW_RELEASE_TIME, BOWLER_THROW_TIME);
    bowler.FreeAll();
    PlayerPartsFree();
}

struct HandTrack {
    s_hmodel* body;
    s32 hand;
    f32 lowestTime = -1, lowestY = 1e9f, aheadAtLowest = 0;
};

void TrackHand(s_thread*, void* data) {
    HandTrack& track = *static_cast<HandTrack*>(data);
    HModelUpdateMatrix(track.body, &IDMatrix4);
    s_Vector3 hand, hips;
    HModelGetBonePosition(track.body, u32(track.hand), &hand);
    HModelGetBonePosition(track.body, BOWLER_BONE_HIPS, &hips);
    if (hand.y < track.lowestY) {
        track.lowestY = hand.y;
        track.lowestTime = HModelGetAnimTime(track.body);
        track.aheadAtLowest = hand.z - hips.z;
    }
}

// The ball leaves at the release time: the bowling hand is then at its lowest,
// ahead of the hips and low over the lane, for either hand.
TEST_F(BowlerModelTest, TheBowlingHandIsLowestAndAheadAtTheRelease) {
    ASSERT_TRUE(PlayerPartsLoad());
    CPlayerConstruction bowler;
    bowler.UpdateBodyTypeModel();
    ASSERT_NE(bowler.GetBodyTypeModel(), nullptr);
    for (const auto& [anim, hand] : {std::pair{BOWLER_ANIM_THROW_RIGHT, BOWLER_BONE_HAND_RIGHT},
                                     std::pair{BOWLER_ANIM_THROW_LEFT, BOWLER_BONE_HAND_LEFT}}) {
        bowler.PlayAnim(anim, 1.0f, 0);
        HandTrack track{bowler.GetBodyTypeModel(), hand};
        s_thread* task = ThreadInsertPriorityDebug("Hand", nullptr, &track, TrackHand, nullptr, 5100);
        EventWait(s32(BOWLER_THROW_TIME * 60));
        ThreadKill(task);
        EXPECT_NEAR(track.lowestTime, BOWLER_THROW_RELEASE_TIME, 0.05f) << hand;
        EXPECT_GT(track.aheadAtLowest, 0.03f * BOWLER_UNITS_PER_METRE) << hand;
        EXPECT_LT(track.lowestY, 0.45f * BOWLER_UNITS_PER_METRE) << hand;  // low over the lane
    }
    bowler.FreeAll();
}

// A look out of every list still builds (values past a list show none or the
// nearest); without the archive, or with a bad id, nothing is built or played.
TEST_F(BowlerModelTest, BadLooksAndAMissingArchiveNeverBreakTheModel) {
    CPlayerConstruction bowler;
    bowler.UpdateBodyTypeModel();
    EXPECT_EQ(bowler.GetBodyTypeModel(), nullptr);
    bowler.PlayAnim(BOWLER_ANIM_IDLE_MALE, 1.0f, 0);
    bowler.DrawFE();

    ASSERT_TRUE(PlayerPartsLoad());
    s_Character_Attributes& a = bowler.m_CharacterAttributes;
    a = {7, 9, -3, 99, 50, 40, -2, 1000, 77, 12, 300, 5, -9, 88};
    const s_Character_Attributes asGiven = a;
    bowler.UpdateBodyTypeModel();
    EXPECT_NE(bowler.GetBodyTypeModel(), nullptr);
    EXPECT_EQ(std::memcmp(&a, &asGiven, sizeof(a)), 0) << "building leaves the attributes alone";
    bowler.PlayAnim(0x80007FFF, 1.0f, 0);
    EXPECT_EQ(bowler.GetBodyTypeModel()->layer[ANIM_LAYER_PRIMARY].hanim, nullptr);
    bowler.DrawFE();

    CTrophyConstruction trophy;
    for (s32 index : {-1, BOWLER_TROPHY_COUNT}) {
        trophy.UpdateTrophy(index);
        trophy.Draw();
    }
    CWristGuardConstruction guard;
    guard.UpdateGuardModel(-1);
    guard.Draw(bowler.GetBodyTypeModel());
    guard.UpdateGuardModel(200);
    guard.Draw(bowler.GetBodyTypeModel());
    guard.Reset();
    bowler.FreeAll();
    PlayerPartsFree();
}

}  // namespace
