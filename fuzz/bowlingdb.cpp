// A bowling database image parsed from a heap block, as BowlingDbLoad parses the
// disc's file; a loaded image's every text, grid and light is read through, then
// the tables are freed again.
#include <cstring>
#include <string>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Heap.h"
#include "source/BowlingDb/BowlingDbInternal.h"

namespace {

u32 Length(const char* text) {
    return text != nullptr ? u32(std::strlen(text)) : 0;
}

template <typename Entry>
u32 Last(const Entry* list, u32 count) {
    return count != 0 ? list[count - 1].m_bCAConly : 0;
}

// Touches every loaded byte the game may read.
u32 ReadEverything() {
    u32 sum = 0;
    for (u32 i = 0; i < uDBItemCount; ++i)
        sum += Length(ItemsList[i].m_Name) + Length(ItemsList[i].m_Description) +
               ItemsList[i].m_Bonus[1].m_Amount;
    for (u32 i = 0; i < DB_ITEM_COUNT; ++i)
        sum += Length(BallInfosList[i].m_FactoryFinish) + Length(BallInfosList[i].m_Oil);
    for (u32 i = 0; i < uDBQPBowlerCount; ++i)
        sum += Length(qpBowlersList[i].m_FirstName) + qpBowlersList[i].m_uTertiaryBall;
    for (u32 i = 0; i < uDBBowlerCount; ++i)
        sum += Length(bowlersList[i].m_LastName) + bowlersList[i].m_uLeague;
    for (u32 i = 0; i < RivalCount; ++i)
        sum += RivalList[i].m_LossReputationPenalty;
    for (u32 i = 0; i < TournamentCount; ++i)
        sum += Length(TournamentList[i].sTournName);
    const u32 seasons = BeginnerLeagueSeasonCount + IntermediateLeagueSeasonCount +
                        AdvancedLeagueSeasonCount + ExpertLeagueSeasonCount + ProLeagueSeasonCount;
    for (u32 i = 0; i < seasons; ++i)
        sum += LeagueSeasonList[i].TournID;
    for (u32 i = 0; i < AmateurLeagueCount; ++i)
        sum += Length(AmateurLeagueList[i].sLeagueName);
    for (u32 i = 0; i < uDBOilPatternCount; ++i)
        sum += Length(dbOilPatternList[i].m_ProStraight2) + dbOilPatternList[i].m_Grid[DB_OIL_ROWS - 1][0];
    for (u32 usage = 0; usage < 4; ++usage) {
        if (const s_ShellLight* set = GetShellLight(usage))
            sum += set->Lights[SHELL_LIGHT_MAX - 1].flags;
    }
    sum += Last(MaleBowlingShirtList, uMaleBowlingTexCount) +
           Last(FemaleBowlingShirtList, uFemaleBowlingTexCount);
    sum += Last(MaleShoeList, uMaleShoeTexCount) + Last(FemaleShoeList, uFemaleShoeTexCount);
    sum += Last(MaleGlassesList, uMaleGlassesModelCount) + Last(FemaleGlassesList, uFemaleGlassesModelCount);
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    void* image = fuzz::HeapCopy({data, size});
    if (image == nullptr)
        return 0;
    std::string error;
    if (BowlingDbParse(static_cast<const u8*>(image), u32(size), &error))
        ReadEverything();
    else if (error.empty())
        fuzz::Fail("a refused database gave no message");
    HeapMallocFree(image);
    BowlingDbFree();
    return 0;
}
