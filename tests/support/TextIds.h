// The symbols of the texts the screen and flow tests look for, named after the
// disc's symbol table (data/SymTable.txt: kTextCareerSubtitle is STR_CAREER_SUBTITLE).
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr u32 kTextMenuNext = 6888;
constexpr u32 kTextMenuSettingsSub = 6897;
constexpr u32 kTextMenuSettingsTitle = 6898;
constexpr u32 kTextTournLadderTitle = 6900;
constexpr u32 kTextCareerHubTitle = 6906;
constexpr u32 kTextCareerSubtitle = 6907;
constexpr u32 kTextQpTicker = 6966;
constexpr u32 kTextCacAskDone = 7016;
constexpr u32 kTextCacAskSure = 7017;
constexpr u32 kTextKeyboardDefaultName = 7018;
constexpr u32 kTextSaveNotPresentSaving = 7025;
constexpr u32 kTextSaveNotPresentLoading = 7026;
constexpr u32 kTextLevelLoadFailed = 7059;
constexpr u32 kTextIngameQuitForfeit = 7068;
constexpr u32 kTextIngameQuitSure = 7069;
constexpr u32 kTextLeagueManTitle = 7089;
constexpr u32 kTextShopCardOil = 7100;
constexpr u32 kTextCareerSaveFirst = 7112;
constexpr u32 kTextCareerWelcome = 7113;
constexpr u32 kTextCareerOverviewTitle = 7114;
constexpr u32 kTextCareerAttributesTitle = 7127;
constexpr u32 kTextCareerStandingsTitle = 7135;
constexpr u32 kTextCareerEventTitle = 7144;
constexpr u32 kTextShopTitle = 7175;
constexpr u32 kTextShopCardCover = 7182;
constexpr u32 kTextShopCardCore = 7183;
constexpr u32 kTextShopCardFinish = 7184;
constexpr u32 kTextCareerStatsTitle = 7239;
constexpr u32 kTextTournTitle = 7256;
constexpr u32 kTextCareerPromoted = 7262;
constexpr u32 kTextCareerRelegated = 7263;
constexpr u32 kTextCareerStayed = 7264;
constexpr u32 kTextCareerTurnedPro = 7265;
constexpr u32 kTextCareerStayedPro = 7267;
constexpr u32 kTextLevelLoading = 7274;
constexpr u32 kTextLevelTip1 = 7275;
constexpr u32 kTextMenuLoadFailed = 7310;
