// The menus' scrolling help line.
#include "source/Ticker.h"

#include <algorithm>
#include <cstring>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Wad.h"

namespace {

constexpr const char* kFontName = "DORVAREG";
constexpr const char* kFontWadName = "SFPFONT";
constexpr f32 kFramesPerSecond = 60.0f;  // speeds are per sixtieth of a second
constexpr f32 kSpacePerScale = 1.5f;
constexpr u32 kNoAlpha = 0x100;  // above every alpha, so the first character sets its colour

f32 Distance(const s_Vector3& a, const s_Vector3& b) {
    const f32 dx = b.x - a.x;
    const f32 dy = b.y - a.y;
    const f32 dz = b.z - a.z;
    return f32(OrbSqrt(dx * dx + dy * dy + dz * dz));
}

}  // namespace

CTicker::~CTicker() {
    if (m_FontWad != nullptr) {
        WadFree(m_FontWad);
        m_FontWad = nullptr;
    }
    if (m_Font != nullptr)
        FontFree(m_Font);
}

void CTicker::init(s_Vector3* start, s_Vector3* end, f32 fadeIn, f32 fadeOut, f32 speed, f32 textScale) {
    m_CurrText = nullptr;
    m_bPaused = 1;
    m_fTextScale = textScale;
    m_fSpaceWidth = kSpacePerScale * textScale;
    m_vStart = *start;
    m_vEnd = *end;
    m_fSpeed = speed;
    // The font is taken once: a second init keeps what the first took.
    if (m_Font == nullptr)
        m_Font = FontLoad(kFontName);
    if (m_Font == nullptr && m_FontWad == nullptr) {
        m_FontWad = WadLoad(kFontWadName, 0);
        m_Font = FontLoad(kFontName);
    }
    FontSetDefaults(m_Font);
    FontSetScale(m_fTextScale, m_fTextScale);
    m_bTextFinished = 1;
    m_vDirection = {m_vEnd.x - m_vStart.x, m_vEnd.y - m_vStart.y, m_vEnd.z - m_vStart.z, 0.0f};
    m_fScreenDistance = Vect3Normal(&m_vDirection, &m_vDirection);
    m_fFadeInEnd = kFramesPerSecond * fadeIn;
    m_fFadeOutStart = kFramesPerSecond * fadeOut;
    m_NumQText = 0;
    m_QCounter = -1;
    std::fill(std::begin(m_TextQueue), std::end(m_TextQueue), nullptr);
    m_bQueueLocked = 0;
}

void CTicker::setTickerText(char* text) {
    FontSetDefaults(m_Font);
    FontSetScale(m_fTextScale, m_fTextScale);
    m_CurrText = text;
    // The offsets table bounds the characters shown.
    m_uNumCharactersInString = text != nullptr ? u32(strnlen(text, TICKER_MAX_CHARACTERS)) : 0;
    f32 width = 0.0f;
    for (u32 i = 0; i < m_uNumCharactersInString; ++i) {
        m_fTextOffsets[i] = width;
        width += FontCharWidth(u8(text[i])) + m_fSpaceWidth;
    }
    m_fEndDistance = m_fScreenDistance + width;
}

void CTicker::setQueueText(char* text, u32 index) {
    if (index < TICKER_QUEUE_SIZE)
        m_TextQueue[index] = text;
}

void CTicker::setTextColor(u32 colour) {
    m_TextColor = colour & 0xFFFFFF00u;
}

void CTicker::setDelayTime(f32 seconds) {
    m_fDelayTime = seconds;
    m_fTimer = seconds;
}

void CTicker::ResetPos() {
    m_vPos = m_vStart;
}

void CTicker::ResetQueue() {
    m_QCounter = -1;
    m_bTextFinished = 1;
}

s32 CTicker::LockQueueToId(s32 id) {
    if (m_QCounter == id || id < 0 || id >= s32(TICKER_QUEUE_SIZE))
        return 0;
    m_QCounter = id;
    m_bTextFinished = 1;
    m_bQueueLocked = 1;
    setTickerText(m_TextQueue[id]);
    return 1;
}

// The path runs from a start on the right to an end on the left; a zone of no
// width fades nothing.
u32 CTicker::FadeAlpha(f32 x) const {
    if (m_fFadeInEnd > 0.0f && x >= m_vStart.x - m_fFadeInEnd)
        return u32(255.0f * (m_vStart.x - x) / m_fFadeInEnd);
    if (m_fFadeOutStart > 0.0f && x <= m_vEnd.x + m_fFadeOutStart)
        return u32(255.0f * (x - m_vEnd.x) / m_fFadeOutStart);
    return 255;
}

void CTicker::Update() {
    FontSetDefaults(m_Font);
    FontSetScale(m_fTextScale, m_fTextScale);
    if (m_CurrText == nullptr || m_bPaused != 0)
        return;
    if (m_bTextFinished != 0) {
        if (m_NumQText > 1 && m_QCounter < m_NumQText && m_bQueueLocked == 0) {
            if (++m_QCounter == m_NumQText)
                m_QCounter = 0;
            setTickerText(m_TextQueue[m_QCounter]);
        }
        m_vPos = m_vStart;
        m_bTextFinished = 0;
    }
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);
    u32 lastAlpha = kNoAlpha;
    for (u32 i = 0; i < m_uNumCharactersInString; ++i) {
        const f32 x = m_vPos.x + m_fTextOffsets[i];
        if (x > m_vStart.x || x < m_vEnd.x)
            continue;
        const u32 alpha = FadeAlpha(x);
        if (alpha != lastAlpha) {
            DrawSetFlatColor(m_TextColor | alpha);
            lastAlpha = alpha;
        }
        FontPrintChar(u8(m_CurrText[i]), x, m_vPos.y);
    }
    const f32 step = m_fSpeed * RealDeltaTime * kFramesPerSecond;
    const s_Vector3 candidate = {m_vPos.x + m_vDirection.x * step, m_vPos.y + m_vDirection.y * step,
                                 m_vPos.z + m_vDirection.z * step, m_vPos.w};
    if (Distance(m_vStart, candidate) >= m_fEndDistance) {
        // The whole text has passed: it holds still for the delay.
        if (m_fTimer <= 0.0f) {
            m_fTimer = m_fDelayTime;
            m_bTextFinished = 1;
        } else {
            m_fTimer -= RealDeltaTime;
        }
    } else {
        m_vPos = candidate;
    }
    DrawSetCombineMode(combine);
    DrawSetProjection(projection);
}
