// The career statistics: fourteen counters of the career bowler, each beside its
// label, on one layer (the menus' border gives the hints). Back is the page's
// only way out.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct SFP_SCREEN_INFO_t;

constexpr u32 CAREER_STAT_COUNT = 14;
// Two counters of ten digits and a "/", or "$" and ten digits, with room to spare.
constexpr u32 CAREER_STAT_SIZE = 24;

class CCareerStatsFlash {
public:
    CCareerStatsFlash();
    ~CCareerStatsFlash();
    CCareerStatsFlash(const CCareerStatsFlash&) = delete;
    CCareerStatsFlash& operator=(const CCareerStatsFlash&) = delete;

    s32 Load();
    void Open();
    void Close();
    void Kill();
    void Update(SFP_SCREEN_INFO_t* info);

    s32 m_iScreen = -1;
    char StatStrings[CAREER_STAT_COUNT][CAREER_STAT_SIZE];
};

void CareerStatsFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);

extern SFP_SCREEN_INFO_t CareerStatsFlashScreen;
