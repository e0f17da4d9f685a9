// The career statistics: fourteen counters of the career bowler, each beside its
// label, on one layer (the menus' border gives the hints). Back is the page's
// only way out.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"

constexpr u32 CAREER_STAT_COUNT = 14;
// Two counters of ten digits and a "/", or "$" and ten digits, with room to spare.
constexpr u32 CAREER_STAT_SIZE = 24;

extern SFP_SCREEN_INFO_t CareerStatsFlashScreen;

class CCareerStatsFlash : public CFlashScreen<CCareerStatsFlash, CareerStatsFlashScreen> {
public:
    CCareerStatsFlash();

    void Open();
    void Close();
    void Update(SFP_SCREEN_INFO_t* info);

    char StatStrings[CAREER_STAT_COUNT][CAREER_STAT_SIZE];
};
