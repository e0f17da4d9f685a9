#include "source/BowlingDb/BowlingDb.h"

#include <string>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "source/BowlingDb/BowlingDbInternal.h"
#include "source/BowlingDb/BowlingDbTables.h"

s_DBItem* ItemsList;
u32 uDBItemCount;
s_DBBallInfo* BallInfosList;
u32 uDBBallCount;
u32 uDBMShirtCount;
u32 uDBFShirtCount;
u32 uDBMShoesCount;
u32 uDBFShoesCount;
u32 uDBMAccCount;
u32 uDBFAccCount;
s_DBQPBowler* qpBowlersList;
u32 uDBQPBowlerCount;
s_DBBowler* bowlersList;
u32 uDBBowlerCount;
s_DBRival* RivalList;
u32 RivalCount;
s_TournamentDef* TournamentList;
u32 TournamentCount;
s_LeagueSeasonDef* LeagueSeasonList;
u32 BeginnerLeagueSeasonCount;
u32 IntermediateLeagueSeasonCount;
u32 AdvancedLeagueSeasonCount;
u32 ExpertLeagueSeasonCount;
u32 ProLeagueSeasonCount;
s_AmateurLeagueDef* AmateurLeagueList;
u32 AmateurLeagueCount;
s_DBOilPattern* dbOilPatternList;
u32 uDBOilPatternCount;
s_CACShirtTex* MaleBowlingShirtList;
u32 uMaleBowlingTexCount;
s_CACShirtTex* FemaleBowlingShirtList;
u32 uFemaleBowlingTexCount;
s_CACShoeTex* MaleShoeList;
u32 uMaleShoeTexCount;
s_CACShoeTex* FemaleShoeList;
u32 uFemaleShoeTexCount;
s_CACGlassesModel* MaleGlassesList;
u32 uMaleGlassesModelCount;
s_CACGlassesModel* FemaleGlassesList;
u32 uFemaleGlassesModelCount;
u32 uMaleHairTexCount;
u32 uFemaleHairTexCount;
u32 uMaleHairModelCount;
u32 uFemaleHairModelCount;
u32 uFacialHairModelCount;
u32 uMalePantsTexCount;
u32 uFemalePantsTexCount;
s_ShellLight* ShellLightList;
u32 ShellLightCount;

namespace {

// The heap block that holds every table of the current load.
void* Storage;

}  // namespace

void DbTables::Install() const {
    Storage = storage;
    ItemsList = items;
    uDBItemCount = itemCount;
    BallInfosList = ballInfos;
    uDBBallCount = ballCount;
    uDBMShirtCount = shirtCount[0];
    uDBFShirtCount = shirtCount[1];
    uDBMShoesCount = shoesCount[0];
    uDBFShoesCount = shoesCount[1];
    uDBMAccCount = accCount[0];
    uDBFAccCount = accCount[1];
    qpBowlersList = qpBowlers;
    uDBQPBowlerCount = qpBowlerCount;
    bowlersList = bowlers;
    uDBBowlerCount = bowlerCount;
    RivalList = rivals;
    RivalCount = rivalCount;
    TournamentList = tournaments;
    TournamentCount = tournamentCount;
    LeagueSeasonList = seasons;
    BeginnerLeagueSeasonCount = seasonCount[0];
    IntermediateLeagueSeasonCount = seasonCount[1];
    AdvancedLeagueSeasonCount = seasonCount[2];
    ExpertLeagueSeasonCount = seasonCount[3];
    ProLeagueSeasonCount = seasonCount[4];
    AmateurLeagueList = leagues;
    AmateurLeagueCount = leagueCount;
    dbOilPatternList = oilPatterns;
    uDBOilPatternCount = oilPatternCount;
    ShellLightList = shellLights;
    ShellLightCount = shellLightCount;
    MaleBowlingShirtList = cacShirts;
    uMaleBowlingTexCount = cacShirtCount[0];
    FemaleBowlingShirtList = cacShirts + cacShirtCount[0];
    uFemaleBowlingTexCount = cacShirtCount[1];
    MaleShoeList = cacShoes;
    uMaleShoeTexCount = cacShoesCount[0];
    FemaleShoeList = cacShoes + cacShoesCount[0];
    uFemaleShoeTexCount = cacShoesCount[1];
    MaleGlassesList = cacGlasses;
    uMaleGlassesModelCount = cacGlassesCount[0];
    FemaleGlassesList = cacGlasses + cacGlassesCount[0];
    uFemaleGlassesModelCount = cacGlassesCount[1];
    uMaleHairTexCount = cacCounts[0];
    uFemaleHairTexCount = cacCounts[1];
    uMaleHairModelCount = cacCounts[2];
    uFemaleHairModelCount = cacCounts[3];
    uFacialHairModelCount = cacCounts[4];
    uMalePantsTexCount = cacCounts[5];
    uFemalePantsTexCount = cacCounts[6];
}

void BowlingDbInstall(const DbTables& tables) {
    if (Storage != nullptr)
        HeapMallocFree(Storage);
    tables.Install();
}

void BowlingDbFree() {
    BowlingDbInstall(DbTables{});
}

void BowlingDbForget() {
    if (Storage != nullptr)
        DbTables{}.Install();
}

void BowlingDbLoad() {
    const char* name = FileExist(BOWLING_DB_LOCAL_FILE) ? BOWLING_DB_LOCAL_FILE : BOWLING_DB_FILE;
    u32 size = 0;
    void* image = FileLoad(name, &size);
    if (image == nullptr)
        ORB_FAIL("BowlingDbLoad: cannot read %s", name);
    std::string error;
    const bool loaded = BowlingDbParse(static_cast<const u8*>(image), size, &error);
    HeapMallocFree(image);
    if (!loaded)
        ORB_FAIL("BowlingDbLoad: %s: %s", name, error.c_str());
}

s_ShellLight* GetShellLight(u32 usage) {
    for (u32 i = 0; i < ShellLightCount; ++i) {
        if (ShellLightList[i].Usage == usage)
            return &ShellLightList[i];
    }
    return nullptr;
}
