// The created-bowler look: list bowlers' looks, the default look, and keeping each
// gender's look inside that gender's create-a-bowler lists.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "source/Career/PlayerConstruction.h"
#include "tests/game/Career/GlobalScope.h"

namespace {

// Men: 3 shirts (the first created-bowler one at 1), 2 shoes (at 1), 3 glasses,
// 4 hair colours, 3 hair styles, 3 pants. Women: 5 shirts (at 2), 3 shoes (at 0),
// 2 glasses, 6 hair colours, 5 hair styles, 4 pants. Two facial-hair styles. Hats:
// men's textures 0 and 1, women's 0.
s_CACShirtTex maleShirts[] = {{0}, {1}, {1}};
s_CACShirtTex femaleShirts[] = {{0}, {0}, {1}, {1}, {0}};
s_CACShoeTex maleShoes[] = {{0}, {1}};
s_CACShoeTex femaleShoes[] = {{1}, {1}, {0}};
s_CACGlassesModel maleGlasses[] = {{1}, {1}, {0}};
s_CACGlassesModel femaleGlasses[] = {{1}, {1}};

s_DBItem Hat(s32 texture, u32 male) {
    s_DBItem item = {};
    item.e_EquipType = EQUIP_TYPE_HAT;
    item.m_TextureID = texture;
    item.m_Male = male;
    return item;
}
s_DBItem hats[] = {Hat(0, 1), Hat(1, 1), Hat(0, 0)};

template <class T, u32 N>
u32 Count(T (&)[N]) {
    return N;
}

s_DBAppearance Look(u32 gender) {
    s_DBAppearance look = {};
    look.m_uGender = gender;
    look.m_uFaceType = 3;
    look.m_uHairStyle = 2;
    look.m_uHairColor = 3;
    look.m_iFacialHair = gender == 0 ? 1 : -1;
    look.m_uFacialHairColor = 3;
    look.m_iGlasses = 1;
    look.m_iHat = 0;
    look.m_uShirtType = 2;
    look.m_uShirtColor = 2;
    look.m_uPants = 2;
    look.m_uShoes = 1;
    return look;
}

class PlayerConstructionTest : public testing::Test {
protected:
    GlobalScope<s_CACShirtTex*> s1{MaleBowlingShirtList, maleShirts};
    GlobalScope<u32> s2{uMaleBowlingTexCount, Count(maleShirts)};
    GlobalScope<s_CACShirtTex*> s3{FemaleBowlingShirtList, femaleShirts};
    GlobalScope<u32> s4{uFemaleBowlingTexCount, Count(femaleShirts)};
    GlobalScope<s_CACShoeTex*> s5{MaleShoeList, maleShoes};
    GlobalScope<u32> s6{uMaleShoeTexCount, Count(maleShoes)};
    GlobalScope<s_CACShoeTex*> s7{FemaleShoeList, femaleShoes};
    GlobalScope<u32> s8{uFemaleShoeTexCount, Count(femaleShoes)};
    GlobalScope<s_CACGlassesModel*> s9{MaleGlassesList, maleGlasses};
    GlobalScope<u32> s10{uMaleGlassesModelCount, Count(maleGlasses)};
    GlobalScope<s_CACGlassesModel*> s11{FemaleGlassesList, femaleGlasses};
    GlobalScope<u32> s12{uFemaleGlassesModelCount, Count(femaleGlasses)};
    GlobalScope<u32> s13{uMaleHairTexCount, 4};
    GlobalScope<u32> s14{uFemaleHairTexCount, 6};
    GlobalScope<u32> s15{uMaleHairModelCount, 3};
    GlobalScope<u32> s16{uFemaleHairModelCount, 5};
    GlobalScope<u32> s17{uFacialHairModelCount, 2 * CAC_FACIAL_HAIR_COLOURS};
    GlobalScope<u32> s18{uMalePantsTexCount, 3};
    GlobalScope<u32> s19{uFemalePantsTexCount, 4};
    GlobalScope<s_DBItem*> s20{ItemsList, hats};
    GlobalScope<u32> s21{uDBItemCount, Count(hats)};

    static s_Character_Attributes Default(s32 gender) {
        return gender == 0
                   ? s_Character_Attributes{0, 0, 0, 0, 0, -1, 0, -1, -1, SHIRT_TYPE_BOWLING, 1, 0, 0, 1}
                   : s_Character_Attributes{1, 0, 0, 0, 0, -1, 0, -1, -1, SHIRT_TYPE_BOWLING, 2, 0, 0, 0};
    }
};

// Compares the 14 attributes in order, printing them on a mismatch.
void ExpectLook(const s_Character_Attributes& actual, const s_Character_Attributes& expected) {
    static_assert(sizeof(actual) == sizeof(std::array<s32, 14>));
    std::array<s32, 14> a, e;
    std::memcpy(a.data(), &actual, sizeof(actual));
    std::memcpy(e.data(), &expected, sizeof(expected));
    EXPECT_EQ(a, e);
}

template <class Record>
class ListBowlerLookTest : public PlayerConstructionTest {};
using ListBowlerRecords = testing::Types<s_DBQPBowler, s_DBBowler>;
TYPED_TEST_SUITE(ListBowlerLookTest, ListBowlerRecords);

TYPED_TEST(ListBowlerLookTest, TakesTheRecordsLookButNotItsHand) {
    for (u32 gender : {0u, 1u}) {
        SCOPED_TRACE(gender);
        TypeParam record = {};
        record.m_uGender = gender;
        record.m_Look = Look(gender);
        record.m_uHand = 0;
        CPlayerConstruction builder;
        builder.m_CharacterAttributes.bodyType = 1;
        builder.m_CharacterAttributes.hand = 1;
        builder.SetAttributes(&record);
        ExpectLook(builder.m_CharacterAttributes,
                   {s32(gender), 0, 3, 2, 3, gender == 0 ? 1 : -1, 3, 1, 0, 2, 2, 1, 2, 1});
        builder.SetAttributes(static_cast<const TypeParam*>(nullptr));
        EXPECT_EQ(builder.m_CharacterAttributes.faceType, 3);
    }
}

TEST_F(PlayerConstructionTest, ChangingGenderWithExchangeKeepsEachGendersLook) {
    CPlayerConstruction builder;
    builder.m_CharacterAttributes.hairStyle = 2;
    builder.SetDefaultCACAttributes();
    ExpectLook(builder.m_CharacterAttributes, Default(0));  // the first created-bowler entries

    s_Character_Attributes male = Default(0);
    male.hairStyle = 2;
    male.facialHair = 1;
    male.glasses = 2;
    male.hand = 1;
    builder.m_CharacterAttributes = male;

    builder.SetCharGender(1, 1);
    s_Character_Attributes female = Default(1);
    female.hand = 1;  // the hand stays with the bowler
    ExpectLook(builder.m_CharacterAttributes, female);

    builder.m_CharacterAttributes.hairStyle = 4;
    builder.m_CharacterAttributes.shirtColor = 3;
    female = builder.m_CharacterAttributes;
    builder.SetCharGender(0, 1);
    ExpectLook(builder.m_CharacterAttributes, male);
    builder.SetCharGender(1, 1);
    ExpectLook(builder.m_CharacterAttributes, female);

    builder.SetCharGender(1, 1);  // no change of gender: nothing swapped
    ExpectLook(builder.m_CharacterAttributes, female);
}

TEST_F(PlayerConstructionTest, ChangingGenderWithoutExchangeClampsTheLook) {
    CPlayerConstruction builder;
    builder.m_CharacterAttributes = {0, 1, 2, 2, 3, 1, 3, 2, 1, 0, 2, 1, 2, 1};
    builder.SetCharGender(1, 0);
    ExpectLook(builder.m_CharacterAttributes, {1, 1, 2, 2, 3, -1, 3, -1, -1, 0, 2, 1, 2, 1});

    builder.m_CharacterAttributes = {1, 0, 1, 4, 5, -1, 5, 1, 0, 0, 4, 0, 3, 2};
    builder.SetCharGender(0, 0);
    ExpectLook(builder.m_CharacterAttributes, {0, 0, 1, 2, 3, -1, 3, 1, 0, 0, 2, 0, 2, 1});
}

TEST_F(PlayerConstructionTest, TheShirtColourStaysInsideTheGendersShirts) {
    struct Case {
        s32 gender, shirtColor, expected;
    };
    const Case cases[] = {{0, 2, 2}, {0, 3, 2}, {0, -2, 0}, {1, 4, 4}, {1, 5, 4}};
    for (const Case& c : cases) {
        CPlayerConstruction builder;
        builder.m_CharacterAttributes.gender = c.gender;
        builder.m_CharacterAttributes.shirtType = 2;
        builder.m_CharacterAttributes.shirtColor = c.shirtColor;
        builder.CheckShirtColorAttributes();
        EXPECT_EQ(builder.m_CharacterAttributes.shirtColor, c.expected) << c.gender << " " << c.shirtColor;
        EXPECT_EQ(builder.m_CharacterAttributes.shirtType, 2);
    }
    const GlobalScope<u32> noShirts(uMaleBowlingTexCount, 0);
    CPlayerConstruction builder;
    builder.m_CharacterAttributes.shirtColor = 3;
    builder.CheckShirtColorAttributes();
    EXPECT_EQ(builder.m_CharacterAttributes.shirtColor, 0);
}

}  // namespace
