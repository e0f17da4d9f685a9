// The front end's interface and kudos sounds on the demo disc: each symbol names
// its sound in the menu bank, and each sound is short, soft, starts and ends at
// zero and is heard when played.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "console/ai/ai_control.h"
#include "console/os.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "console/system.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/Wad.h"
#include "source/DefaultDisc.h"
#include "source/Flash/FlashSound.h"
#include "source/OrbMain.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/soundgen/DiscSounds.h"
#include "tools/soundgen/Synth.h"

namespace {

using MenuSoundsTest = DemoDiscFixture;

f64 PeakDbfs(const std::vector<s16>& samples) {
    s32 peak = 1;
    for (s16 s : samples)
        peak = std::max(peak, std::abs(s32(s)));
    return 20.0 * std::log10(peak / 32768.0);
}

TEST_F(MenuSoundsTest, EachSymbolPlaysItsSoftShortSoundFromTheMenuBank) {
    s_wad* wad = WadLoad("DATA/MENUSND.WAD", 0);
    ASSERT_NE(wad, nullptr);
    const auto* bank = static_cast<const s_sfx_bank*>(DataFind("SOUNDS", "SFX"));
    ASSERT_NE(bank, nullptr);
    const struct {
        u32 symbol;
        const char* name;
        std::vector<s16> (*synth)();
        u32 longestMs;
    } sounds[] = {
        {0x1996, "OPEN", soundgen::SynthScreenOpen, 250},
        {0x1997, "ACCEPT", soundgen::SynthAccept, 250},
        {0x1998, "MOVE", soundgen::SynthCursorMove, 250},
        {0x1999, "CLOSE", soundgen::SynthScreenClose, 250},
        {0x199A, "REFUSED", soundgen::SynthRefused, 250},
        {0x199B, "KGUTTER", soundgen::SynthKudosGutter, 1000},
        {0x199C, "KPINS", soundgen::SynthKudosPins, 1000},
        {0x199D, "KCHEER", soundgen::SynthKudosCheer, 1000},
    };
    const s_VOLUME_MIX mix = {1, 1, 0, 0, 0, 0};
    for (const auto& s : sounds) {
        SCOPED_TRACE(s.name);
        const std::vector<s16> pcm = s.synth();
        EXPECT_GE(pcm.size(), 40u * soundgen::kSoundRate / 1000);
        EXPECT_LE(pcm.size(), s.longestMs * soundgen::kSoundRate / 1000);
        EXPECT_GE(PeakDbfs(pcm), -12.01);
        EXPECT_LE(PeakDbfs(pcm), -6.0);
        EXPECT_EQ(pcm.front(), 0);
        EXPECT_EQ(pcm.back(), 0);

        u32 id = 0;
        ASSERT_EQ(SymbolTransLookup(s.symbol, &id), RET_NO_ERROR);
        ASSERT_EQ(id >> 16, soundgen::kSoundBankId);
        ASSERT_LT(s32(id & 0xFFFF), bank->numSfx);
        EXPECT_STREQ(bank->sfxList[id & 0xFFFF].name, s.name);
        HostAudioCaptureStart();
        EXPECT_NE(SfxPlay(s32(0x80000000u | s.symbol), &mix, 3), -1);
        console::PollWaitUntil(console::ClockNow() + OS_TIMER_CLOCK / 4);
        EXPECT_GT(PeakDbfs(HostAudioCaptureTake()), -40.0);
        HostAudioCaptureStop();
    }
    WadFree(wad);
}

// A menu bank that does not load is one line; the menus are then silent, not two
// assertion blocks a sound.
class DamagedMenuSoundsTest : public MenuDiscFixture {
protected:
    DamagedMenuSoundsTest() { disc_.LinkAllBut(DefaultDiscRoot(), {"DATA/MENUSND.WAD"}); }
    HostConfig Config() const override {
        HostConfig config = MenuDiscFixture::Config();
        config.discRoot = disc_.root();
        return config;
    }
    static std::vector<u8> DemoFile(const char* name) {
        std::ifstream in(HostDiscPath(DefaultDiscRoot(), name), std::ios::binary);
        return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
    }

    TempDisc disc_;
};

TEST_F(DamagedMenuSoundsTest, ABankThatDoesNotLoadIsOneLineAndSilence) {
    const std::vector<u8> good = DemoFile("DATA/MENUSND.WAD");
    ASSERT_FALSE(good.empty());
    const struct {
        const char* what;
        std::vector<u8> bytes;
    } cases[] = {
        {"empty", {}},
        {"cut in half", {good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2)}},
        {"zeroed", std::vector<u8>(good.size(), 0)},
        {"another archive", DemoFile("DATA/SYSTEXT.WAD")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        disc_.Write("DATA/MENUSND.WAD", c.bytes);
        report_->clear();
        MenuSFXWad = FlashSoundLoadBank(GAME_MENU_SOUND_WAD);
        EXPECT_EQ(MenuSFXWad, nullptr);
        EXPECT_TRUE(report().contains("Menu sounds: MENUSND holds no sound bank; the menus are silent\n"))
            << report().text();
        report_->clear();
        for (s32 symbol = 0x1996; symbol <= 0x199D; ++symbol)
            FlashPlaySound(s32(0x80000000u | u32(symbol)));
        EXPECT_EQ(report().text(), "");
    }
    disc_.Write("DATA/MENUSND.WAD", good);
    report_->clear();
    MenuSFXWad = FlashSoundLoadBank(GAME_MENU_SOUND_WAD);
    EXPECT_NE(MenuSFXWad, nullptr);
    EXPECT_FALSE(report().contains("Menu sounds"));
    WadFree(MenuSFXWad);
    MenuSFXWad = nullptr;
}

}  // namespace
