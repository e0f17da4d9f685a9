// The menus' scrolling help line: one line of text sliding from a start point to
// an end point, fading in and out at either end, waiting a while once it has
// passed and starting again with the same or the next queued text. The owning
// screen calls Update once per frame from its movie's draw callback; the ticker
// draws there and has no task of its own.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_font;
struct s_wad;

constexpr u32 TICKER_MAX_CHARACTERS = 250;  // a longer text shows its first 250
constexpr u32 TICKER_QUEUE_SIZE = 4;

class CTicker {
public:
    CTicker() = default;
    ~CTicker();
    CTicker(const CTicker&) = delete;
    CTicker& operator=(const CTicker&) = delete;

    // Loads the font and leaves the ticker paused with a restart due; the fade
    // arguments are seconds at speed 1 (zones 60 x as wide, 0 = no fade).
    void init(s_Vector3* start, s_Vector3* end, f32 fadeIn, f32 fadeOut, f32 speed, f32 textScale);
    // The text is the caller's and must outlive its showing.
    void setTickerText(char* text);
    // Entries 0..3; the owner sets m_NumQText. A bad index is ignored.
    void setQueueText(char* text, u32 index);
    void setTextColor(u32 colour);
    void setDelayTime(f32 seconds);
    void ResetPos();
    void ResetQueue();
    // Shows queue entry id from the start and keeps it; 0 when it is already shown
    // (or is no entry), 1 otherwise.
    s32 LockQueueToId(s32 id);
    void Update();

    // The alpha of a character at x on the path, by the fade zones.
    u32 FadeAlpha(f32 x) const;

    s_Vector3 m_vStart{};
    s_Vector3 m_vEnd{};
    s_Vector3 m_vDirection{};
    f32 m_fScreenDistance{};
    f32 m_fEndDistance{};
    f32 m_fSpeed{};
    f32 m_fSpaceWidth = 1.5f;
    f32 m_fFadeInEnd{};
    f32 m_fFadeOutStart{};
    f32 m_fDelayTime{};
    f32 m_fTimer{};
    f32 m_fTextScale = 1.0f;
    char* m_CurrText{};
    f32 m_fTextOffsets[TICKER_MAX_CHARACTERS]{};
    s32 m_bPaused{};
    s_wad* m_FontWad{};
    s_font* m_Font{};
    char* m_TextQueue[TICKER_QUEUE_SIZE]{};
    s32 m_NumQText{};
    s32 m_QCounter = -1;
    s32 m_bQueueLocked{};
    s_Vector3 m_vPos{};
    s32 m_bTextFinished{};
    u32 m_uNumCharactersInString{};
    u32 m_TextColor{};
};
