#include "source/Career/PlayerConstruction.h"

#include <utility>

namespace {

bool IsMale(const s_Character_Attributes& look) {
    return look.gender == 0;
}

// A value inside 0..count-1 (0 for an empty list).
s32 ClampToCount(s32 value, u32 count) {
    if (value < 0 || count == 0)
        return 0;
    return u32(value) < count ? value : s32(count - 1);
}

// An optional value: kept inside 0..count-1, else none (-1).
s32 OptionalInCount(s32 value, u32 count) {
    return value >= 0 && u32(value) < count ? value : -1;
}

template <class Entry>
s32 FirstCACEntry(const Entry* list, u32 count) {
    for (u32 i = 0; i < count; ++i)
        if (list[i].m_bCAConly)
            return s32(i);
    return 0;
}

u32 ShirtCount(bool male) {
    return male ? uMaleBowlingTexCount : uFemaleBowlingTexCount;
}

u32 HairTextureCount(bool male) {
    return male ? uMaleHairTexCount : uFemaleHairTexCount;
}

// Hats have no create-a-bowler list: a hat is a shop item of the gender.
bool GenderHasHat(bool male, s32 textureId) {
    for (u32 i = 0; i < uDBItemCount; ++i) {
        const s_DBItem& item = ItemsList[i];
        if (item.e_EquipType == EQUIP_TYPE_HAT && (item.m_Male == 1) == male && item.m_TextureID == textureId)
            return true;
    }
    return false;
}

s_Character_Attributes DefaultLook(s32 gender) {
    const bool male = gender == 0;
    s_Character_Attributes look = {};
    look.gender = gender;
    look.facialHair = -1;
    look.glasses = -1;
    look.hat = -1;
    look.shirtType = SHIRT_TYPE_BOWLING;
    look.shirtColor = male ? FirstCACEntry(MaleBowlingShirtList, uMaleBowlingTexCount)
                           : FirstCACEntry(FemaleBowlingShirtList, uFemaleBowlingTexCount);
    look.shoes = male ? FirstCACEntry(MaleShoeList, uMaleShoeTexCount)
                      : FirstCACEntry(FemaleShoeList, uFemaleShoeTexCount);
    return look;
}

}  // namespace

void CPlayerConstruction::SetAttributes(const s_DBQPBowler* bowler) {
    if (bowler != nullptr)
        SetLook(bowler->m_Look);
}

void CPlayerConstruction::SetAttributes(const s_DBBowler* bowler) {
    if (bowler != nullptr)
        SetLook(bowler->m_Look);
}

void CPlayerConstruction::SetLook(const s_DBAppearance& look) {
    s_Character_Attributes& a = m_CharacterAttributes;
    a.gender = look.m_uGender != 0;
    a.bodyType = 0;
    a.faceType = s32(look.m_uFaceType);
    a.hairStyle = s32(look.m_uHairStyle);
    a.hairColor = s32(look.m_uHairColor);
    a.facialHair = look.m_iFacialHair;
    a.facialHairColor = s32(look.m_uFacialHairColor);
    a.glasses = look.m_iGlasses;
    a.hat = look.m_iHat;
    a.shirtType = s32(look.m_uShirtType);
    a.shirtColor = s32(look.m_uShirtColor);
    a.pants = s32(look.m_uPants);
    a.shoes = s32(look.m_uShoes);
    ClampToGender();
}

void CPlayerConstruction::SetCharGender(s32 gender, s32 exchange) {
    gender = gender != 0;
    if (exchange && gender != m_CharacterAttributes.gender) {
        const s32 hand = m_CharacterAttributes.hand;
        std::swap(m_CharacterAttributes, m_OtherGenderAttributes);
        m_CharacterAttributes.hand = hand;
    }
    m_CharacterAttributes.gender = gender;
    ClampToGender();
}

void CPlayerConstruction::CheckShirtColorAttributes() {
    s_Character_Attributes& a = m_CharacterAttributes;
    a.shirtColor = ClampToCount(a.shirtColor, ShirtCount(IsMale(a)));
}

void CPlayerConstruction::SetDefaultCACAttributes() {
    m_CharacterAttributes = DefaultLook(0);
    m_OtherGenderAttributes = DefaultLook(1);
}

void CPlayerConstruction::ClampToGender() {
    Clamp(&m_CharacterAttributes);
}

s_Character_Attributes CPlayerConstruction::Look() const {
    s_Character_Attributes look = m_CharacterAttributes;
    look.gender = look.gender != 0;
    Clamp(&look);
    return look;
}

void CPlayerConstruction::Clamp(s_Character_Attributes* look) {
    s_Character_Attributes& a = *look;
    const bool male = IsMale(a);
    a.bodyType = ClampToCount(a.bodyType, CAC_BODY_TYPE_COUNT);
    a.faceType = ClampToCount(a.faceType, CAC_FACE_TYPE_COUNT);
    a.hairStyle = ClampToCount(a.hairStyle, male ? uMaleHairModelCount : uFemaleHairModelCount);
    a.hairColor = ClampToCount(a.hairColor, HairTextureCount(male));
    a.facialHair = male ? OptionalInCount(a.facialHair, uFacialHairModelCount / CAC_FACIAL_HAIR_COLOURS) : -1;
    a.facialHairColor = ClampToCount(a.facialHairColor, HairTextureCount(male));
    a.glasses = OptionalInCount(a.glasses, male ? uMaleGlassesModelCount : uFemaleGlassesModelCount);
    if (a.hat < 0 || !GenderHasHat(male, a.hat))
        a.hat = -1;
    a.shirtType = ClampToCount(a.shirtType, BOWLER_SHIRT_TYPE_COUNT);
    a.shirtColor = ClampToCount(a.shirtColor, ShirtCount(male));
    a.hand = ClampToCount(a.hand, 2);
    a.pants = ClampToCount(a.pants, male ? uMalePantsTexCount : uFemalePantsTexCount);
    a.shoes = ClampToCount(a.shoes, male ? uMaleShoeTexCount : uFemaleShoeTexCount);
}
