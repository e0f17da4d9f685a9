// The create-a-bowler attribute pages: one movie filled as a man's first page
// (face, hair, facial hair, body type), a woman's (face, hair, body type) or the
// second page (glasses, shirt, pants, shoes). Each change goes into the look and
// rebuilds what it changes on the preview.
#include <cstdio>

#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/BowlerParts.h"
#include "source/Flash/CacModelScreens.h"
#include "source/Flash/CacModelScreensInternal.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr u32 kTextBodyType = 6987, kTextMaleBody[2] = {6988, 6989}, kTextFemaleBody[2] = {6990, 6991},
              kTextFace = 6992, kTextHair = 6993, kTextGlasses = 6998, kTextShirt = 7001, kTextPants = 7010,
              kTextShoes = 7012, kTextNumberWord = 7013, kTextNone = 7014, kTextFacialHair = 7015;
constexpr s32 kFirstButtonSprite = 8;

// What each row of each page edits.
enum eRow { kFace, kHair, kFacialHair, kBodyType, kGlasses, kShirt, kPants, kShoes, kNoRow };
struct PageRow {
    eRow row;
    u32 label;
    s32 fullBody;  // the cursor on it shows the whole bowler, else the head
};
constexpr PageRow kPages[3][CAC_PAGE_ROWS] = {
    {{kFace, kTextFace, 0},
     {kHair, kTextHair, 0},
     {kFacialHair, kTextFacialHair, 0},
     {kBodyType, kTextBodyType, 1}},
    {{kFace, kTextFace, 0}, {kHair, kTextHair, 0}, {kBodyType, kTextBodyType, 1}, {kNoRow, 0, 1}},
    {{kGlasses, kTextGlasses, 0}, {kShirt, kTextShirt, 1}, {kPants, kTextPants, 1}, {kShoes, kTextShoes, 1}},
};

s32 PageOf(eScreen_List screen) {
    return screen == eScreen_List_CAC_SubMale1 ? 0 : screen == eScreen_List_CAC_SubFemale1 ? 1 : 2;
}

const PageRow& RowOf(s32 row) {
    return kPages[PageOf(g_ScreenTracker.m_CurrScreen)][row];
}

s32 Wrap(s32 value, s32 count) {
    return count > 0 ? ((value % count) + count) % count : 0;
}

// The next or previous entry of a gender's created-bowler list whose flag is set;
// shop entries are skipped. An optional list (glasses) also stops at -1, none.
// A list without a flagged entry keeps its value, or goes to none when optional.
template <class Entry>
s32 NextFlagged(const Entry* list, u32 count, s32 value, s32 up, s32 optional) {
    const s32 n = s32(count);
    if (n == 0)
        return optional ? -1 : value;
    const s32 first = optional ? -1 : 0;
    for (s32 step = 0, at = value; step <= n; ++step) {
        at += up ? 1 : -1;
        if (at >= n)
            at = first;
        else if (at < first)
            at = n - 1;
        if (at < 0 || list[at].m_bCAConly != 0)
            return at;
    }
    return value;
}

// The name of the item of the gender that the look's value shows, "" when none.
const char* ItemName(EquipType type, const s_Character_Attributes& look, s32 value) {
    for (u32 i = 0; i < uDBItemCount; ++i) {
        const s_DBItem& item = ItemsList[i];
        if (item.e_EquipType == type && (item.m_Male == 1) == (look.gender == 0) &&
            item.m_TextureID == value && (type != EQUIP_TYPE_SHIRT || item.m_SubType == look.shirtType) &&
            item.m_Name != nullptr)
            return item.m_Name;
    }
    return "";
}

}  // namespace

s32 CCacModelScreens::PageRows() const {
    return g_ScreenTracker.m_CurrScreen == eScreen_List_CAC_SubFemale1 ? CAC_PAGE_ROWS - 1 : CAC_PAGE_ROWS;
}

const s_Vector3* CCacModelScreens::PoseOfRow(s32 row) const {
    return RowOf(row).fullBody ? &m_vModelFullBodyPos : &m_vModelHeadCloseUpPos;
}

void CCacModelScreens::OpenSubScreenMale1() {
    OpenPage(eScreen_List_CAC_SubMale1);
}

void CCacModelScreens::OpenSubScreenFemale1() {
    OpenPage(eScreen_List_CAC_SubFemale1);
}

void CCacModelScreens::OpenSubScreen2() {
    OpenPage(eScreen_List_CAC_Sub2);
}

void CCacModelScreens::OpenPage(s32 page) {
    if (!FlashOpenOnce(m_iScreenSubGeneric))
        return;
    g_ScreenTracker.m_CurrScreen = eScreen_List(page);
    CacModelScreen[2].curButton = 0;
    ShowAcceptHint();
    for (s32 row = 0; row < CAC_PAGE_ROWS; ++row) {
        const PageRow& entry = RowOf(row);
        SFP2KSpriteSetText(m_iScreenSubGeneric, 2 * row, entry.row == kNoRow ? "" : SymbolText(entry.label));
        SetPageValueText(row);
    }
    if (PageRows() < CAC_PAGE_ROWS)
        SFP2KSpriteHide(m_iScreenSubGeneric, kFirstButtonSprite + CAC_PAGE_ROWS - 1);
    else
        SFP2KSpriteShow(m_iScreenSubGeneric, kFirstButtonSprite + CAC_PAGE_ROWS - 1);
    SetNewBodyPos(&m_vModelHeadCloseUpPos, CAC_GLIDE_SECONDS);
    m_Ticker.LockQueueToId(1);
    m_Ticker.ResetPos();
    m_Ticker.m_bPaused = 0;
}

void CCacModelScreens::UpdatePage(SFP_SCREEN_INFO_t* info) {
    const s32 down = SFP2KButton(CAC_BUTTON_DOWN, CAC_NEW_PRESS);
    if (down || SFP2KButton(CAC_BUTTON_UP, CAC_NEW_PRESS))
        MovePageCursor(info, down);
    const s32 right = SFP2KButton(CAC_BUTTON_RIGHT, CAC_NEW_PRESS);
    if (right || SFP2KButton(CAC_BUTTON_LEFT, CAC_NEW_PRESS)) {
        FlashPlaySound(CAC_SFX_MOVE);
        ChangePageValue(info->curButton, right);
    }
    // The first pages show every value each frame; the second only what changed.
    if (g_ScreenTracker.m_CurrScreen != eScreen_List_CAC_Sub2)
        for (s32 row = 0; row < CAC_PAGE_ROWS; ++row)
            SetPageValueText(row);
}

void CCacModelScreens::MovePageCursor(SFP_SCREEN_INFO_t* info, s32 down) {
    SFP2KClearButtonDown(m_iScreenSubGeneric, info->curButton);
    const s32 from = info->curButton;
    info->curButton = Wrap(from + (down ? 1 : -1), PageRows());
    if (RowOf(info->curButton).fullBody != RowOf(from).fullBody)
        SetNewBodyPos(PoseOfRow(info->curButton), CAC_GLIDE_SECONDS);
    FlashPlaySound(CAC_SFX_MOVE);
}

void CCacModelScreens::ChangePageValue(s32 row, s32 right) {
    CPlayerConstruction& model = CacModel();
    s_Character_Attributes& look = model.m_CharacterAttributes;
    const bool male = look.gender == 0;
    const s32 step = right ? 1 : -1;
    switch (RowOf(row).row) {
        case kFace:
            look.faceType = Wrap(look.faceType + step, CAC_FACE_TYPE_COUNT);
            UpdateAndResetBodyType();
            break;
        case kBodyType:
            look.bodyType = Wrap(look.bodyType + step, CAC_BODY_TYPE_COUNT);
            UpdateAndResetBodyType();
            break;
        case kHair: {
            // The colours of a style, then the next style's.
            const s32 colours = s32(male ? uMaleHairTexCount : uFemaleHairTexCount);
            const s32 styles = s32(male ? uMaleHairModelCount : uFemaleHairModelCount);
            const s32 colour = look.hairColor + step;
            look.hairColor = Wrap(colour, colours);
            if (colour != look.hairColor) {
                look.hairStyle = Wrap(look.hairStyle + step, styles);
                model.UpdateHairModel();
            }
            if (male)
                look.facialHairColor = look.hairColor;
            model.UpdateModelTextures(0);
            break;
        }
        case kFacialHair: {
            const s32 styles = s32(uFacialHairModelCount / CAC_FACIAL_HAIR_COLOURS);
            look.facialHair = Wrap(look.facialHair + 1 + step, styles + 1) - 1;
            look.facialHairColor = look.hairColor;
            model.UpdateFacialHairModel();
            model.UpdateModelTextures(0);
            break;
        }
        case kGlasses:
            look.glasses =
                male ? NextFlagged(MaleGlassesList, uMaleGlassesModelCount, look.glasses, right, 1)
                     : NextFlagged(FemaleGlassesList, uFemaleGlassesModelCount, look.glasses, right, 1);
            model.UpdateGlassesModel();
            break;
        case kShirt:
            look.shirtColor =
                male ? NextFlagged(MaleBowlingShirtList, uMaleBowlingTexCount, look.shirtColor, right, 0)
                     : NextFlagged(FemaleBowlingShirtList, uFemaleBowlingTexCount, look.shirtColor, right, 0);
            model.UpdateModelTextures(0);
            break;
        case kPants:
            look.pants = Wrap(look.pants + step, s32(male ? uMalePantsTexCount : uFemalePantsTexCount));
            model.UpdateModelTextures(0);
            break;
        case kShoes:
            look.shoes = male ? NextFlagged(MaleShoeList, uMaleShoeTexCount, look.shoes, right, 0)
                              : NextFlagged(FemaleShoeList, uFemaleShoeTexCount, look.shoes, right, 0);
            model.UpdateModelTextures(0);
            break;
        case kNoRow:
            return;
    }
    SetPageValueText(row);
}

void CCacModelScreens::SetPageValueText(s32 row) {
    const s_Character_Attributes& look = CacModel().m_CharacterAttributes;
    char* text = m_sButtonTextBuf[row];
    const u32 size = CAC_VALUE_TEXT_SIZE;
    const char* word = SymbolText(kTextNumberWord);
    const char* shown = text;
    switch (RowOf(row).row) {
        case kFace:
            std::snprintf(text, size, "%s %d", word, look.faceType + 1);
            break;
        case kHair:
            std::snprintf(text, size, "%s %d - %d", word, look.hairStyle + 1, look.hairColor + 1);
            break;
        case kFacialHair:
            if (look.facialHair < 0)
                shown = SymbolText(kTextNone);
            else
                std::snprintf(text, size, "%s %d", word, look.facialHair + 1);
            break;
        case kBodyType:
            shown = SymbolText((look.gender ? kTextFemaleBody : kTextMaleBody)[look.bodyType != 0]);
            break;
        case kGlasses:
            shown =
                look.glasses < 0 ? SymbolText(kTextNone) : ItemName(EQUIP_TYPE_GLASSES, look, look.glasses);
            break;
        case kShirt:
            shown = ItemName(EQUIP_TYPE_SHIRT, look, look.shirtColor);
            break;
        case kPants:
            std::snprintf(text, size, "%s %d", word, look.pants + 1);
            break;
        case kShoes:
            shown = ItemName(EQUIP_TYPE_SHOES, look, look.shoes);
            break;
        case kNoRow:
            shown = "";
            break;
    }
    SFP2KSpriteSetText(m_iScreenSubGeneric, 2 * row + 1, shown);
}
