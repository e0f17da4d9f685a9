// The created-bowler look of a player slot: the attributes the bowler model is
// built from, and the model built from them (body, hair, facial hair, hat,
// glasses and the textures of shirt, shoes, hair and hat) with its animation.
// Attribute values index the database's create-a-bowler lists of the bowler's
// gender (shirts, shoes, glasses; hair, pants and facial hair by count).
#pragma once

#include "orblib47/source/HModel.h"
#include "orblib47/source/OrbTypes.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/BowlerParts.h"
#include "source/Career/CareerTypes.h"

constexpr s32 CAC_FACIAL_HAIR_COLOURS = 8;  // each facial-hair style has a model per colour
constexpr s32 SHIRT_TYPE_BOWLING = 0;

// Bowler animations (symbol ids): standing, by gender; standing with the ball in
// the bowling hand, by gender and hand; a throw's four-step approach and its
// delivery, each for either hand; and a walk on the spot. The throw starts where
// the approach ends and releases the ball BOWLER_THROW_RELEASE_TIME seconds in.
constexpr u32 BOWLER_ANIM_IDLE_MALE = 0x800018b5;
constexpr u32 BOWLER_ANIM_IDLE_FEMALE = 0x8000194b;
constexpr u32 BOWLER_ANIM_HOLD_MALE_RIGHT = 0x800018ad;
constexpr u32 BOWLER_ANIM_HOLD_MALE_LEFT = 0x800018c3;
constexpr u32 BOWLER_ANIM_HOLD_FEMALE_RIGHT = 0x8000193e;
constexpr u32 BOWLER_ANIM_HOLD_FEMALE_LEFT = 0x8000194f;
constexpr u32 BOWLER_ANIM_APPROACH_RIGHT = 0x80001a00;
constexpr u32 BOWLER_ANIM_APPROACH_LEFT = 0x80001a01;
constexpr u32 BOWLER_ANIM_THROW_RIGHT = 0x80001a02;
constexpr u32 BOWLER_ANIM_THROW_LEFT = 0x80001a03;
constexpr u32 BOWLER_ANIM_WALK = 0x80001a04;

// The bowler parts archive (bodies, heads, hair, hats, glasses, wrist guards,
// balls, trophies and their textures): loaded once, shared by every bowler.
bool PlayerPartsLoad();
void PlayerPartsFree();
// Warm reset: the open archive and the built bodies belonged to the engine's old pools.
void PlayerPartsForget();

class CPlayerConstruction {
public:
    CPlayerConstruction() { SetDefaultCACAttributes(); }

    // A list bowler's look: gender, body type 0, face .. shirt colour, pants and
    // shoes; the hand is left as it is. Null changes nothing.
    void SetAttributes(const s_DBQPBowler* bowler);
    void SetAttributes(const s_DBBowler* bowler);
    // Sets the gender (nonzero is female). With exchange and a change of gender,
    // the look is swapped with the one kept for the other gender (the hand stays).
    // Then every attribute is brought inside the gender's lists.
    void SetCharGender(s32 gender, s32 exchange);
    // Brings shirtColor inside the gender's shirt textures; every shirt type is
    // textured from the same list.
    void CheckShirtColorAttributes();
    // Male, first body, face and hair, no facial hair, glasses or hat, a bowling
    // shirt in the first created-bowler colour and the first created-bowler shoes;
    // the look kept for the other gender becomes the female default.
    void SetDefaultCACAttributes();

    // ---- the model: built from the attributes, needs the parts archive.
    // Body of the gender and body type, then hair, facial hair, hat and glasses,
    // then the textures.
    void UpdateBodyTypeModel();
    void UpdateHairModel();
    void UpdateFacialHairModel();
    void UpdateGlassesModel();
    void UpdateHatModel();
    void UpdateHairTexture();
    void SwapShirtTexture();
    void SwapShoesTexture();
    void SwapHatTexture();
    // Every texture again; waitFrames frames pass before the new ones show.
    void UpdateModelTextures(s32 waitFrames);
    void PlayAnim(u32 animId, f32 speed, u32 flags);
    void AnimInit(f32 x, f32 y, f32 z);
    void SetTranslation(f32 x, f32 y, f32 z);
    // Degrees, added to the turn so far.
    void SetRotationX(f32 degrees);
    void SetRotationY(f32 degrees);
    void SetRotationZ(f32 degrees);
    s_hmodel* GetBodyTypeModel() const { return m_hBodyAnim; }
    // Poses and draws the bowler with its parts (front-end screens and the lane).
    void DrawFE();
    void FreeAll();

    s_Character_Attributes m_CharacterAttributes;
    s_hmodel* m_hBodyAnim = nullptr;
    s_Matrix4 m_BodyTypeMatrix = IDMatrix4;  // place and turn of the body

private:
    // The parts drawn on the body's bones.
    enum e_Part : s32 {
        PART_SHIRT,
        PART_PANTS,
        PART_SHOES,
        PART_HEAD,
        PART_HAIR,
        PART_BEARD,
        PART_HAT,
        PART_GLASSES,
        PART_COUNT
    };

    void SetLook(const s_DBAppearance& look);
    void ClampToGender();
    // The attributes brought inside the gender's lists, for building.
    s_Character_Attributes Look() const;
    static void Clamp(s_Character_Attributes* look);
    void ReplacePart(e_Part part, const char* name);
    void ApplyTextures();

    s_Character_Attributes m_OtherGenderAttributes;
    s_hmodel* m_hParts[PART_COUNT] = {};
    u32 m_AnimId = 0;  // the body animation last played, replayed on a rebuilt body
    f32 m_AnimSpeed = 1.0f;
    u32 m_AnimFlags = 0;
    s32 m_TextureWait = 0;  // frames until the swapped textures show
};
