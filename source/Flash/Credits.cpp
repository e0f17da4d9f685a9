#include "source/Flash/Credits.h"

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Wad.h"

namespace {

constexpr const char* kFontName = "DORVAREG20";
constexpr const char* kFontWadName = "SFPFONT";
constexpr f32 kLineGap = 2.0f;
constexpr s32 kLastSlot = s32(CREDITS_BUFFER_LINES) - 1;

}  // namespace

CCredits::CCredits() : m_uNumCreditLines(CreditsListCount) {
    SetScrollUp(1);
    m_Font = FontLoad(kFontName);
    if (m_Font == nullptr) {
        m_FontWad = WadLoad(kFontWadName, 0);
        m_Font = FontLoad(kFontName);
    }
}

CCredits::~CCredits() {
    if (m_FontWad != nullptr) {
        WadFree(m_FontWad);
        m_FontWad = nullptr;
    }
    if (m_Font != nullptr)
        FontFree(m_Font);
}

void CCredits::init() {
    m_nFirstIndex = 0;
    m_nLastIndex = -1;
    for (u32 i = 0; i < CREDITS_BUFFER_LINES && i < m_uNumCreditLines; ++i) {
        m_CreditsBuffer[i] = {CreditsList[i].sText, m_vStartPosition, CreditsList[i].bTitle};
        ++m_nLastIndex;
    }
    UpdateBufferPositions();
}

void CCredits::SetScrollUp(s32 up) {
    m_bScrollingUp = up;
    m_vStartPosition = up != 0 ? m_vBottomPosition : m_vTopPosition;
    m_vEndPosition = up != 0 ? m_vTopPosition : m_vBottomPosition;
    SetScrollSpeed(m_fScrollSpeed);
}

void CCredits::SetScrollSpeed(f32 speed) {
    m_fScrollSpeed = speed;
    s_Vector3 towardsEnd{m_vEndPosition.x - m_vStartPosition.x, m_vEndPosition.y - m_vStartPosition.y,
                         m_vEndPosition.z - m_vStartPosition.z, 0};
    Vect3Normal(&towardsEnd, &towardsEnd);
    m_vCurrDirection = {towardsEnd.x * speed, towardsEnd.y * speed, towardsEnd.z * speed, 0};
}

// The roll's own font at scale 1, whatever font is current.
f32 CCredits::LinePitch() const {
    return (m_Font != nullptr ? f32(m_Font->height) : 0.0f) + kLineGap;
}

void CCredits::UpdateBufferPositions() {
    const f32 pitch = LinePitch();
    if (m_bScrollingUp != 0) {
        for (s32 i = 1; i <= kLastSlot; ++i)
            m_CreditsBuffer[i].vPosition.y = m_CreditsBuffer[i - 1].vPosition.y + pitch;
    } else {
        for (s32 i = kLastSlot - 1; i >= 0; --i)
            m_CreditsBuffer[i].vPosition.y = m_CreditsBuffer[i + 1].vPosition.y - pitch;
    }
}

// Slots past the list's end stay empty.
void CCredits::LoadSlots() {
    for (s32 i = 0; i <= kLastSlot; ++i) {
        const u32 row = u32(m_nFirstIndex + i);
        const bool inList = row < m_uNumCreditLines;
        m_CreditsBuffer[i].sText = inList ? CreditsList[row].sText : nullptr;
        m_CreditsBuffer[i].bTitle = inList ? CreditsList[row].bTitle : 0;
    }
}

void CCredits::UpdateBuffer() {
    if (m_bScrollingUp != 0) {
        if (u32(m_nLastIndex + 1) >= m_uNumCreditLines)
            return;
        ++m_nFirstIndex;
        ++m_nLastIndex;
        LoadSlots();
        m_CreditsBuffer[0].vPosition.y = m_CreditsBuffer[1].vPosition.y;
    } else {
        if (m_nFirstIndex - 1 < 0)
            return;
        --m_nFirstIndex;
        --m_nLastIndex;
        LoadSlots();
        m_CreditsBuffer[kLastSlot].vPosition.y = m_CreditsBuffer[kLastSlot - 1].vPosition.y;
    }
    UpdateBufferPositions();
}

s32 CCredits::Update() {
    if (m_bPaused != 0)
        return 1;
    FontSetDefaults(m_Font);
    FontSetScale(1.0f, 1.0f);
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);
    for (const s_CreditsBuff& slot : m_CreditsBuffer) {
        if (slot.sText == nullptr)
            continue;
        const f32 y = slot.vPosition.y;
        if (m_bScrollingUp != 0 ? y < m_vEndPosition.y : y > m_vEndPosition.y)
            continue;
        DrawSetFlatColor(slot.bTitle != 0 ? CREDITS_TITLE_COLOUR : CREDITS_LINE_COLOUR);
        FontDrawString(slot.sText, 0, slot.vPosition.x, y);
    }
    s_CreditsBuff& first = m_CreditsBuffer[0];
    s_CreditsBuff& last = m_CreditsBuffer[kLastSlot];
    if (m_bScrollingUp != 0) {
        first.vPosition.y += m_vCurrDirection.y;
        UpdateBufferPositions();
        if (first.vPosition.y <= m_vEndPosition.y)
            UpdateBuffer();
    } else if (first.vPosition.y <= m_vEndPosition.y) {
        // Run back past the list's start, the roll stands still once its first row is off the bottom.
        last.vPosition.y += m_vCurrDirection.y;
        UpdateBufferPositions();
        if (last.vPosition.y >= m_vEndPosition.y)
            UpdateBuffer();
    }
    DrawSetCombineMode(combine);
    DrawSetProjection(projection);
    return m_bScrollingUp != 0 && last.vPosition.y < m_vEndPosition.y ? 0 : 1;
}
