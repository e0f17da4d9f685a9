// The lane's sound bank from the demo disc: every e_AlleySound is the sound it
// names, found by the id AlleySoundId forms, and only the ball's roll loops.
#include <gtest/gtest.h>

#include "orblib47/source/Data.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Wad.h"
#include "source/Levels/AlleyLayout.h"
#include "tests/support/GameFixture.h"

namespace {

class AlleySoundsTest : public DemoDiscFixture {
protected:
};

TEST_F(AlleySoundsTest, EachLaneSoundPlaysByItsIdAndOnlyTheRollLoops) {
    s_wad* wad = WadLoad("DATA/GAMESFX.WAD", 0);
    ASSERT_NE(wad, nullptr);
    const auto* bank = static_cast<const s_sfx_bank*>(DataFind(ALLEY_SFX_WAD, "SFX"));
    ASSERT_NE(bank, nullptr);
    ASSERT_EQ(bank->numSfx, ALLEY_SFX_COUNT);

    // The pins' crash by the number that fall: none gets the one-pin knock.
    const struct {
        e_AlleySound sound;
        const char* name;
        bool loops;
    } sounds[] = {
        {ALLEY_SFX_BALL_ROLL, "BALLROLL", true},  {AlleyPinHitSound(0), "PINHIT01", false},
        {AlleyPinHitSound(1), "PINHIT01", false}, {AlleyPinHitSound(2), "PINHIT02", false},
        {AlleyPinHitSound(9), "PINHIT09", false}, {AlleyPinHitSound(10), "PINHIT10", false},
        {ALLEY_SFX_GUTTER, "GUTTER", false},      {ALLEY_SFX_PINSETTER, "PINSETTR", false},
        {ALLEY_SFX_SWEEP, "SWEEP", false},        {ALLEY_SFX_STRIKE_CHEER, "CHEER", false},
    };
    const s_VOLUME_MIX mix = {1, 1, 0, 0, 0, 0};
    for (const auto& s : sounds) {
        SCOPED_TRACE(s.name);
        const s_sfx& sfx = bank->sfxList[s.sound];
        EXPECT_STREQ(sfx.name, s.name);
        EXPECT_EQ(sfx.pcmHeader->loopFlags != 0, s.loops);
        const s32 channel = AudioAllocChannel(1);
        ASSERT_NE(channel, -1);
        EXPECT_EQ(SfxPlayChannel(AlleySoundId(s.sound), &mix, 1, channel), channel);
        SfxStop(channel);
    }
    WadFree(wad);
}

}  // namespace
