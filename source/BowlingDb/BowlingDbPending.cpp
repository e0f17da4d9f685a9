// Temporary definitions of the database tables until the loader lands (weak, so the
// loader's own definitions take over); they start empty.
#include "source/BowlingDb/BowlingDb.h"

#define PENDING __attribute__((weak))

PENDING s_DBItem* ItemsList = nullptr;
PENDING u32 uDBItemCount = 0;
PENDING s_DBBallInfo* BallInfosList = nullptr;
PENDING u32 uDBBallCount = 0;
PENDING u32 uDBMShirtCount = 0;
PENDING u32 uDBFShirtCount = 0;
PENDING u32 uDBMShoesCount = 0;
PENDING u32 uDBFShoesCount = 0;
PENDING u32 uDBMAccCount = 0;
PENDING u32 uDBFAccCount = 0;
PENDING s_DBQPBowler* qpBowlersList = nullptr;
PENDING u32 uDBQPBowlerCount = 0;
PENDING s_DBBowler* bowlersList = nullptr;
PENDING u32 uDBBowlerCount = 0;
PENDING s_DBRival* RivalList = nullptr;
PENDING u32 RivalCount = 0;
PENDING s_TournamentDef* TournamentList = nullptr;
PENDING u32 TournamentCount = 0;
PENDING s_LeagueSeasonDef* LeagueSeasonList = nullptr;
PENDING u32 BeginnerLeagueSeasonCount = 0;
PENDING u32 IntermediateLeagueSeasonCount = 0;
PENDING u32 AdvancedLeagueSeasonCount = 0;
PENDING u32 ExpertLeagueSeasonCount = 0;
PENDING u32 ProLeagueSeasonCount = 0;
PENDING s_AmateurLeagueDef* AmateurLeagueList = nullptr;
PENDING u32 AmateurLeagueCount = 0;
PENDING s_DBOilPattern* dbOilPatternList = nullptr;
PENDING u32 uDBOilPatternCount = 0;
PENDING s_CACShirtTex* MaleBowlingShirtList = nullptr;
PENDING u32 uMaleBowlingTexCount = 0;
PENDING s_CACShirtTex* FemaleBowlingShirtList = nullptr;
PENDING u32 uFemaleBowlingTexCount = 0;
PENDING s_CACShoeTex* MaleShoeList = nullptr;
PENDING u32 uMaleShoeTexCount = 0;
PENDING s_CACShoeTex* FemaleShoeList = nullptr;
PENDING u32 uFemaleShoeTexCount = 0;
PENDING s_CACGlassesModel* MaleGlassesList = nullptr;
PENDING u32 uMaleGlassesModelCount = 0;
PENDING s_CACGlassesModel* FemaleGlassesList = nullptr;
PENDING u32 uFemaleGlassesModelCount = 0;
PENDING u32 uMaleHairTexCount = 0;
PENDING u32 uFemaleHairTexCount = 0;
PENDING u32 uMaleHairModelCount = 0;
PENDING u32 uFemaleHairModelCount = 0;
PENDING u32 uFacialHairModelCount = 0;
PENDING u32 uMalePantsTexCount = 0;
PENDING u32 uFemalePantsTexCount = 0;
