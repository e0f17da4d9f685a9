// Sound banks: loading and sharing, bad chunks, and how a sound of a bank is set up
// on its voice.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "console/ax.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Wad.h"
#include "tests/engine/SoundFixture.h"

namespace {

using Bytes = std::vector<u8>;

constexpr u32 kRecords = 12;  // the first record; each is 20 bytes

class SoundBankTest : public SoundFixture {
protected:
    static Bytes TwoSounds() {
        return Bank(
            {Sound("CLICK", Sine(500.0, 32000, 640)), Sound("HUM", Sine(250.0, 16000, 960), 16000, 100u)});
    }
    static u32 Word(const Bytes& bytes, u32 at) { return LoadBE32(&bytes[at]); }
    static u32 HeaderAt(const Bytes& bytes, u32 sound) { return Word(bytes, kRecords + sound * 20); }
    static const AXVPB& Voice(s32 channel) { return *ChannelStatus[channel].voiceData; }
};

TEST_F(SoundBankTest, ABankKeepsItsHeadersAndNamesAndPutsItsSamplesInAudioMemory) {
    const Bytes payload = TwoSounds();
    s_sfx_bank* bank = Load("TWO", payload);
    ASSERT_NE(bank, nullptr);
    ASSERT_EQ(bank->numSfx, 2);
    EXPECT_STREQ(bank->sfxList[0].name, "CLICK");
    EXPECT_STREQ(bank->sfxList[1].name, "HUM");
    for (s32 i = 0; i < 2; ++i) {
        const s_sfx& sfx = bank->sfxList[i];
        const u32 header = HeaderAt(payload, u32(i));
        EXPECT_EQ(sfx.size, Word(payload, kRecords + u32(i) * 20 + 12));
        ASSERT_NE(sfx.aramHandle, nullptr);
        EXPECT_EQ(sfx.aramHandle->heap, &ExtraHeap);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(sfx.aramHandle->address) % 256, 0u);
        EXPECT_EQ(0, std::memcmp(sfx.aramHandle->address, &payload[header + PCM_HEADER_SIZE], sfx.size - 96));
        EXPECT_EQ(sfx.pcmHeader->sampleRate, Word(payload, header + 8));
    }
    EXPECT_EQ(bank->sfxList[1].pcmHeader->loopFlags, 1);
    EXPECT_EQ(bank->dataEntry, DataFindEntry("TWO", "SFX"));
    SfxFree(bank);
    EXPECT_EQ(DataFindEntry("TWO", "SFX"), nullptr);
}

TEST_F(SoundBankTest, ABankIsSharedByNameAndItsSamplesGoWithTheLastReference) {
    s_sfx_bank* first = Load("SHARED", TwoSounds());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Load("SHARED", TwoSounds()), first);  // the second buffer is freed
    EXPECT_EQ(first->dataEntry->refCount, 2);
    const u32 extraWithSamples = ExtraHeap.avail;
    SfxFree(first);
    EXPECT_EQ(ExtraHeap.avail, extraWithSamples);
    EXPECT_EQ(DataFindEntry("SHARED", "SFX"), first->dataEntry);
    SfxFree(first);
    EXPECT_EQ(DataFindEntry("SHARED", "SFX"), nullptr);
}

TEST_F(SoundBankTest, ArchivesHandSfxChunksToTheBankLoader) {
    const Bytes chunk = TwoSounds();
    s_wad_header header{"ARCHIVED", "SFX", u32(chunk.size()), 0, 0, 0};
    s_wad* record = WadLoadData(&header, Image(chunk));
    ASSERT_NE(record, nullptr);
    ASSERT_NE(record->address, nullptr);
    EXPECT_EQ(record->address, DataFindEntry("ARCHIVED", "SFX")->record);
    WadFreeData(record);
    EXPECT_EQ(DataFindEntry("ARCHIVED", "SFX"), nullptr);
}

TEST_F(SoundBankTest, PcmHeadersReadTheirCoefficientsAsSigned) {
    Bytes bytes(PCM_HEADER_SIZE);
    StoreBE16(&bytes[28], 0xF800);  // -1.0 in 4.11
    StoreBE16(&bytes[30], 0x0800);
    s_pcm_header header;
    ASSERT_TRUE(PcmHeaderRead(bytes.data(), PCM_HEADER_SIZE, &header));
    EXPECT_EQ(header.coef[0], -2048);
    EXPECT_EQ(header.coef[1], 2048);
    EXPECT_FALSE(PcmHeaderRead(bytes.data(), PCM_HEADER_SIZE - 1, &header));
}

TEST_F(SoundBankTest, ABadBankIsRefusedWithOneLineAndLeavesNothingBehind) {
    const Bytes good = TwoSounds();
    const u32 click = HeaderAt(good, 0);
    const u32 clickSize = Word(good, kRecords + 12);
    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
    } kDamage[] = {
        {"negative count", [](Bytes& b) { StoreBE32(&b[4], 0xFFFFFFFFu); }},
        {"count past the file", [](Bytes& b) { StoreBE32(&b[4], 1000); }},
        {"list past the file", [](Bytes& b) { StoreBE32(&b[8], u32(b.size()) - 8); }},
        {"header past the file", [](Bytes& b) { StoreBE32(&b[kRecords], u32(b.size()) - 50); }},
        {"size below a header", [](Bytes& b) { StoreBE32(&b[kRecords + 12], 95); }},
        {"size past the file", [](Bytes& b) { StoreBE32(&b[kRecords + 12], u32(b.size())); }},
        {"name past the file", [](Bytes& b) { StoreBE32(&b[kRecords + 16], u32(b.size())); }},
        {"end past the samples", [=](Bytes& b) { StoreBE32(&b[click + 20], (clickSize - 96) * 2); }},
        {"loop after the end", [=](Bytes& b) { StoreBE32(&b[click + 16], Word(b, click + 20) + 1); }},
        {"no sample rate", [=](Bytes& b) { StoreBE32(&b[click + 8], 0); }},
    };
    for (const auto& c : kDamage) {
        Bytes bad = good;
        c.damage(bad);
        report_->clear();
        EXPECT_EQ(Load("BAD", bad), nullptr) << c.what;
        EXPECT_EQ(report().text(), "SfxLoad: \"BAD\" is not a sound bank.\n") << c.what;
    }
    // A name without its NUL, and every truncation.
    Bytes unterminated(good.begin(), good.begin() + std::ptrdiff_t(Word(good, kRecords + 16) + 3));
    EXPECT_EQ(Load("BAD", unterminated), nullptr);
    for (u32 size = 0; size < click + 96; size += 7)
        EXPECT_EQ(Load("BAD", Bytes(good.begin(), good.begin() + size)), nullptr) << size;
}

TEST_F(SoundBankTest, AVoiceIsSetUpFromTheSoundsHeaderAtTheChannelsPitchAndMix) {
    s_sfx_bank* bank = Load("SETUP", TwoSounds());
    SfxSetDefaultBank(bank);
    const s32 oneShot = Play(0, 10, {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    const s32 looped = Play(1, 10, {0.5f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f});
    ASSERT_GE(oneShot, 0);
    ASSERT_GE(looped, 0);
    EXPECT_EQ(ChannelStatus[oneShot].header.flags, CHANNEL_FLAG_IN_USE | CHANNEL_FLAG_START_PENDING);

    const u32 start = OSCachedToPhysical(bank->sfxList[0].aramHandle->address) * 2;
    const AXPBADDR& a = Voice(oneShot).pb.addr;
    EXPECT_EQ(a.loopFlag, 0);
    EXPECT_EQ(a.currentAddress, start + 2);
    EXPECT_EQ(a.endAddress, start + bank->sfxList[0].pcmHeader->ea);
    EXPECT_EQ(a.loopAddress, ARamZeroBuffer * 2 + 2);
    const u32 loopStart = OSCachedToPhysical(bank->sfxList[1].aramHandle->address) * 2;
    const AXPBADDR& b = Voice(looped).pb.addr;
    EXPECT_EQ(b.loopFlag, 1);
    EXPECT_EQ(b.currentAddress, loopStart);
    EXPECT_EQ(b.loopAddress, loopStart + bank->sfxList[1].pcmHeader->sa);

    // Gains: 32768 x volume x the master volume 0.22.
    EXPECT_EQ(Voice(oneShot).pb.mix.vL, 7208);
    EXPECT_EQ(Voice(oneShot).pb.mix.vR, 0);
    EXPECT_EQ(Voice(looped).pb.mix.vL, 3604);
    EXPECT_EQ(Voice(looped).pb.mix.vR, 1802);
    EXPECT_EQ(u16(Voice(oneShot).pb.adpcm.a[0][0]), u16(bank->sfxList[0].pcmHeader->coef[0]));

    // The 16.16 rate ratio: 32000 Hz plays at 1.0, 16000 Hz at 0.5.
    auto ratio = [](s32 channel) {
        return u32(Voice(channel).pb.src.ratioHi) << 16 | Voice(channel).pb.src.ratioLo;
    };
    EXPECT_EQ(ratio(oneShot), 0x00010000u);
    EXPECT_EQ(ratio(looped), 0x00008000u);
    SfxFree(bank);
}

TEST_F(SoundBankTest, PlayingNeedsALoadedBankAndAnIndexInIt) {
    s_sfx_bank* bank = Load("EDGES", TwoSounds());
    DataRegister("EDGES", "SFX", 7);
    const struct {
        s32 id;
        bool plays;
        const char* message;
    } kCases[] = {
        {0x00070001, true, ""},
        {0x00070002, false, "SfxPlayChannel: Invalid id!\n"},
        {0x00080000, false, "SfxPlayChannel: Sfx bank not loaded!\n"},
        {0x00000000, false, "SfxPlayChannel: Sfx bank not loaded!\n"},  // no default bank
    };
    for (const auto& c : kCases) {
        report_->clear();
        const s32 channel = AudioAllocChannel(1);
        const s32 played = SfxPlayChannel(c.id, &kFull, 1, channel);
        EXPECT_EQ(played >= 0, c.plays) << std::hex << c.id;
        EXPECT_TRUE(report().contains(c.message)) << std::hex << c.id;
        if (played < 0)
            AudioFreeChannel(u32(channel));
    }
    SfxFree(bank);
}

TEST_F(SoundBankTest, FreeingABankStopsItsSoundsAtOnce) {
    s_sfx_bank* bank = Load("GOING", {Hum()});
    SfxSetDefaultBank(bank);
    const s32 channel = Play(0, 10, kFull, true);
    RunAudioFrames(2);
    ASSERT_TRUE(SfxIsPlaying(channel));
    const AXVPB* voice = ChannelStatus[channel].voiceData;
    SfxFree(bank);
    EXPECT_FALSE(SfxIsPlaying(channel));
    EXPECT_EQ(voice->priority, AX_PRIORITY_FREE);
    EXPECT_EQ(SfxDefaultBank, nullptr);
    EXPECT_EQ(AudioQueueChannelExists(u32(channel)), 1);
}

}  // namespace
