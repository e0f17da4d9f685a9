// The credits roll: a window of CREDITS_BUFFER_LINES consecutive rows of the
// credits list, moved a fixed distance a frame and slid along the list as its
// leading line leaves the screen. The owning screen calls Update once a frame
// from its movie's draw callback; the roll draws there.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_font;
struct s_wad;

constexpr u32 CREDITS_BUFFER_LINES = 30;
constexpr u32 CREDITS_TITLE_COLOUR = 0xFFCC00FF;
constexpr u32 CREDITS_LINE_COLOUR = 0xFFFFFFFF;

struct s_CreditsLine {
    const char* sText;  // never null; "" is a blank line
    s32 bTitle;
};

// The rows of the roll, top to bottom.
extern const s_CreditsLine CreditsList[];
extern const u32 CreditsListCount;

struct s_CreditsBuff {
    const char* sText;  // null: an empty slot, not drawn
    s_Vector3 vPosition;
    s32 bTitle;
};

class CCredits {
public:
    CCredits();
    ~CCredits();
    CCredits(const CCredits&) = delete;
    CCredits& operator=(const CCredits&) = delete;

    // The list's first rows, laid out from the start position.
    void init();
    void Start() { m_bPaused = 0; }
    void SetScrollUp(s32 up);
    void SetScrollSpeed(f32 speed);
    // Draws and moves the roll once; 0 once it has run out (rolling up, the last
    // row has passed the top), else 1.
    s32 Update();
    void UpdateBuffer();
    void UpdateBufferPositions();

    f32 m_fScrollSpeed = 1.0f;
    s32 m_bPaused = 1;
    u32 m_uNumCreditLines;
    s32 m_nFirstIndex = 0;
    s32 m_nLastIndex = 0;
    s_Vector3 m_vTopPosition{320, -30, 0, 0};
    s_Vector3 m_vBottomPosition{320, 510, 0, 0};
    s_Vector3 m_vStartPosition{};
    s_Vector3 m_vEndPosition{};
    s32 m_bScrollingUp = 1;
    s_Vector3 m_vCurrDirection{};
    s_wad* m_FontWad = nullptr;
    s_font* m_Font = nullptr;
    s_CreditsBuff m_CreditsBuffer[CREDITS_BUFFER_LINES] = {};

private:
    void LoadSlots();
    f32 LinePitch() const;
};
