// The tables of one parse, held until every check has passed and then installed
// into the globals together.
#pragma once

#include "source/BowlingDb/BowlingDb.h"

struct DbTables {
    void* storage = nullptr;  // one heap block holding everything below
    s_DBItem* items = nullptr;
    u32 itemCount = 0;
    s_DBBallInfo* ballInfos = nullptr;  // DB_ITEM_COUNT rows
    u32 ballCount = 0;
    u32 shirtCount[2] = {};  // by gender
    u32 shoesCount[2] = {};
    u32 accCount[2] = {};
    s_DBQPBowler* qpBowlers = nullptr;
    u32 qpBowlerCount = 0;
    s_DBBowler* bowlers = nullptr;
    u32 bowlerCount = 0;
    s_DBRival* rivals = nullptr;
    u32 rivalCount = 0;
    s_TournamentDef* tournaments = nullptr;
    u32 tournamentCount = 0;
    s_LeagueSeasonDef* seasons = nullptr;
    u32 seasonCount[5] = {};  // by league
    s_AmateurLeagueDef* leagues = nullptr;
    u32 leagueCount = 0;
    s_DBOilPattern* oilPatterns = nullptr;
    u32 oilPatternCount = 0;
    s_ShellLight* shellLights = nullptr;
    u32 shellLightCount = 0;
    // The create-a-bowler lists: the men's entries, then the women's.
    s_CACShirtTex* cacShirts = nullptr;
    u32 cacShirtCount[2] = {};
    s_CACShoeTex* cacShoes = nullptr;
    u32 cacShoesCount[2] = {};
    s_CACGlassesModel* cacGlasses = nullptr;
    u32 cacGlassesCount[2] = {};
    // Hair textures (men, women), hair models (men, women), facial hair models,
    // pants textures (men, women).
    u32 cacCounts[7] = {};

    // Points every table global at these tables.
    void Install() const;
};

// Frees the current tables' block and installs these.
void BowlingDbInstall(const DbTables& tables);
