// The career's autosave killed (kill -9) at any moment: the save file left behind
// loads, holds either the last save that finished or the one under way, and keeps
// the other bowlers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "source/Career/CareerCharacter.h"
#include "source/Career/SaveData.h"
#include "tests/game/LoadSave/LoadSaveFixture.h"

namespace loadsave_test {
namespace {

class LoadSaveKillTest : public LoadSaveFixture {
protected:
    static CCareerCharacter& Bowler(s8 slot, const char* name) {
        CCareerCharacter& career = *CCareerCharacter::GetInstance();
        career.SetCurrSlot(slot);
        career.Init();
        career.SetName(name);
        return career;
    }
};

// A child saves slot 0 over and over, its money counting the saves on from
// `startMoney`; before each it writes the save's number to the pipe, after each
// the number negated.
[[noreturn]] void SaveForever(int pipe, u32 startMoney) {
    CCareerCharacter& career = *CCareerCharacter::GetInstance();
    for (s32 n = 1; n < 10000; ++n) {
        career.ChangeMoney(s32(startMoney) + n - s32(career.GetMoney()));
        g_LoadSave.StoreCharacterSaveData();
        (void)!write(pipe, &n, sizeof(n));
        const s32 done = g_LoadSave.SaveGame() == 1 ? -n : 0;
        (void)!write(pipe, &done, sizeof(done));
    }
    _exit(0);
}

TEST_F(LoadSaveKillTest, AKillDuringAnAutosaveLosesNeitherTheOldNorTheNewSave) {
    g_LoadSave.m_Hooks = &CAREER_SAVE_HOOKS;
    Bowler(1, "KEEPER");
    g_LoadSave.StoreCharacterSaveData();
    u32 fileMoney = Bowler(0, "ROLLER").GetMoney();
    g_LoadSave.StoreCharacterSaveData();
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);

    for (s32 round = 0; round < 16; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            SaveForever(fds[1], fileMoney);
        }
        close(fds[1]);
        // Kill once the round's save has begun, a little later each round.
        const s32 target = 1 + round % 3;
        s32 started = 0, finished = 0;
        for (s32 n; started < target && read(fds[0], &n, sizeof(n)) == sizeof(n);)
            (n > 0 ? started : finished) = n > 0 ? n : -n;
        std::this_thread::sleep_for(std::chrono::microseconds(250 * round));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        for (s32 n; read(fds[0], &n, sizeof(n)) == sizeof(n);)
            (n > 0 ? started : finished) = n > 0 ? n : -n;
        close(fds[0]);

        Restart();
        g_LoadSave.m_Hooks = &CAREER_SAVE_HOOKS;
        ASSERT_EQ(g_LoadSave.LoadGame(), 1) << "the file left behind loads";
        EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(1), "KEEPER");
        CCareerCharacter& career = *CCareerCharacter::GetInstance();
        career.SetCurrSlot(0);
        g_LoadSave.RefreshCharacterSaveData();
        // The last save finished (or the file as the round found it), or the one under way.
        const u32 money = career.GetMoney();
        const u32 kept = fileMoney + u32(finished);
        EXPECT_TRUE(money == kept || money == fileMoney + u32(started))
            << "money " << money << ", saves finished " << finished << ", started " << started;
        fileMoney = money;
    }
}

}  // namespace
}  // namespace loadsave_test
