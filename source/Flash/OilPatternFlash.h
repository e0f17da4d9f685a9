// The oil-pattern briefing before a career game: the event, the pattern, two
// pages of advice for the bowler's league and hook, and the lane's oil drawn in.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct SFP_SCREEN_INFO_t;
struct s_DBOilPattern;

class COilPatternFlash {
public:
    COilPatternFlash() = default;
    ~COilPatternFlash() { Kill(); }
    COilPatternFlash(const COilPatternFlash&) = delete;
    COilPatternFlash& operator=(const COilPatternFlash&) = delete;

    s32 Load();
    void Open();
    void Update();
    void Close();
    void Kill();

    // The advice of `page` (1 or 2) for a bowler of a professional league or not
    // with the hook control `hook`.
    static const char* Advice(const s_DBOilPattern& pattern, s32 page, bool pro, u32 hook);

    s32 m_iScreen = -1;
    s32 m_activePage = 1;

private:
    // The row of the lane's pattern; null when the database lacks it.
    static const s_DBOilPattern* LanePattern();
    void ShowAdvice();
};

void OilPatternDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);

extern SFP_SCREEN_INFO_t oilPatternFlashScreen;
