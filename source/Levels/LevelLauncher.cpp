#include "source/Levels/LevelLauncher.h"

#include <cstdio>

#include "orblib47/source/Pad.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Objects/Object.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"

LevelLaunchOptions g_LevelLaunchOptions;
e_LaunchState g_LaunchState = LAUNCH_IDLE;

namespace {

constexpr u8 kDefaultStat = 50;
constexpr s32 kRightHanded = 0;
// A new game on the same lane once the last one is over.
constexpr u32 kNewGameButton = PAD_A;

s32 NumPlayers() {
    const s32 n = g_GameSettings.m_Current.iNumPlayers;
    return n < 1 ? 1 : n > MAX_PLAYERS ? MAX_PLAYERS : n;
}

void SetUpPlayers() {
    g_Players[0].setStats(kDefaultStat, kDefaultStat, kDefaultStat, kDefaultStat, kRightHanded);
    for (s32 i = 0; i < MAX_PLAYERS; ++i) {
        char name[16];
        std::snprintf(name, sizeof(name), "Player %d", i + 1);
        g_Players[i].SetName(name);
        g_Players[i].bIsHumanPlayer = (g_LevelLaunchOptions.computerPlayers >> i & 1) == 0;
    }
}

// One line for whoever runs the game without looking at it.
void PrintScores() {
    std::printf("bowling: game over:");
    for (s32 i = 0; i < NumPlayers(); ++i)
        std::printf("%s %s %u", i == 0 ? "" : ",", g_Players[i].GetName(),
                    Physics.mScoreKeeper.GetTotalScore(u32(i)));
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

void LevelLaunchStart(s32 level) {
    if (level < 0 || level >= LevelMgrLevelCount) {
        std::fprintf(stderr, "bowling: there is no level %d (0 to %d)\n", level, LevelMgrLevelCount - 1);
        g_LaunchState = LAUNCH_FAILED;
        return;
    }
    SetUpPlayers();
    g_LevelMgr.LoadLevel(&LevelMgrLevelList[level]);
    g_LaunchState = LAUNCH_LOADING;
}

void LevelLaunchUpdate() {
    switch (g_LaunchState) {
        case LAUNCH_LOADING:
            if (g_LevelMgr.IsLevelLoaded()) {
                g_LevelMgr.Init();
                g_ObjDraw = g_ObjUpdate = 1;
                g_LevelMgr.m_bActive = 1;
                for (CPlayer& player : g_Players)
                    player.equipBowlerDefault();
                Physics.StartGame();
                g_LaunchState = LAUNCH_PLAYING;
            } else if (g_LevelMgr.m_bLoadFailed) {
                std::fprintf(stderr, "bowling: the level '%s' did not load\n", g_LevelMgr.m_pLevel->name);
                g_LevelMgr.FreeLevel();
                g_LevelMgr.Deinit();
                g_LaunchState = LAUNCH_FAILED;
            }
            break;
        case LAUNCH_PLAYING:
            g_LevelMgr.Update();
            if (!g_LevelMgr.m_bActive) {
                PrintScores();
                g_LaunchState = LAUNCH_GAME_OVER;
            }
            break;
        case LAUNCH_GAME_OVER:
            // The final scoreboard stays up until the player asks for another game.
            g_LevelMgr.Update();
            if (Pad[0].bnew & kNewGameButton) {
                Physics.NewGame();
                g_LevelMgr.m_bActive = 1;
                g_LaunchState = LAUNCH_PLAYING;
            }
            break;
        case LAUNCH_IDLE:
        case LAUNCH_FAILED:
            break;
    }
}

void LevelLaunchStop() {
    if (g_LaunchState == LAUNCH_IDLE || g_LaunchState == LAUNCH_FAILED)
        return;
    g_LevelMgr.FreeLevel();
    g_LevelMgr.Deinit();
    g_LaunchState = LAUNCH_IDLE;
}
