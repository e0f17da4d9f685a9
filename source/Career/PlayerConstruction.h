// The created-bowler look of a player slot: the attributes the bowler model is
// built from. Attribute values index the database's create-a-bowler lists of the
// bowler's gender (shirts, shoes, glasses; hair, pants and facial hair by count).
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerTypes.h"

constexpr s32 CAC_FACE_TYPE_COUNT = 4;
constexpr s32 CAC_BODY_TYPE_COUNT = 2;
constexpr s32 CAC_FACIAL_HAIR_COLOURS = 8;  // each facial-hair style has a model per colour
constexpr s32 SHIRT_TYPE_BOWLING = 0;

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

    s_Character_Attributes m_CharacterAttributes;

private:
    void SetLook(const s_DBAppearance& look);
    void ClampToGender();

    s_Character_Attributes m_OtherGenderAttributes;
};
