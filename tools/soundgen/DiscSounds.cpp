#include "tools/soundgen/DiscSounds.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "source/Levels/AlleyLayout.h"
#include "tools/discbuild/AsfWriter.h"
#include "tools/discbuild/SfxWriter.h"
#include "tools/discbuild/WadWriter.h"
#include "tools/soundgen/Synth.h"

namespace soundgen {

namespace {

namespace fs = std::filesystem;

void WriteBank(const fs::path& archive, const char* name, u32 id,
               const std::vector<discbuild::SfxSound>& sounds) {
    discbuild::WadWriter wad;
    wad.Add({name, "SFX", discbuild::SfxPayload(sounds), 0, 0, id});
    fs::create_directories(archive.parent_path());
    if (!wad.Write(archive.string()))
        throw std::runtime_error("cannot write " + archive.string());
}

// PINHIT01 to PINHIT10.
std::string PinHitName(s32 pins) {
    return std::string("PINHIT") + char('0' + pins / 10) + char('0' + pins % 10);
}

std::vector<discbuild::SfxSound> MenuSounds() {
    return {
        {"BALLROLL", SynthBallRoll(), kSoundRate, 0u},
        {"PINCRASH", SynthPinCrash(NUM_PINS), kSoundRate, std::nullopt},
        {"GUTTER", SynthGutter(), kSoundRate, std::nullopt},
        {"CLICK", SynthClick(), kSoundRate, std::nullopt},
        {"OPEN", SynthScreenOpen(), kSoundRate, std::nullopt},
        {"ACCEPT", SynthAccept(), kSoundRate, std::nullopt},
        {"MOVE", SynthCursorMove(), kSoundRate, std::nullopt},
        {"CLOSE", SynthScreenClose(), kSoundRate, std::nullopt},
        {"REFUSED", SynthRefused(), kSoundRate, std::nullopt},
        {"KGUTTER", SynthKudosGutter(), kSoundRate, std::nullopt},
        {"KPINS", SynthKudosPins(), kSoundRate, std::nullopt},
        {"KCHEER", SynthKudosCheer(), kSoundRate, std::nullopt},
    };
}

// In the order of e_AlleySound, which the sounds' ids count.
std::vector<discbuild::SfxSound> LaneSounds() {
    std::vector<discbuild::SfxSound> sounds(ALLEY_SFX_COUNT);
    sounds[ALLEY_SFX_BALL_ROLL] = {"BALLROLL", SynthBallRoll(), kSoundRate, 0u};
    for (s32 pins = 1; pins <= NUM_PINS; ++pins)
        sounds[AlleyPinHitSound(pins)] = {PinHitName(pins), SynthPinCrash(u32(pins)), kSoundRate,
                                          std::nullopt};
    sounds[ALLEY_SFX_GUTTER] = {"GUTTER", SynthGutter(), kSoundRate, std::nullopt};
    sounds[ALLEY_SFX_PINSETTER] = {"PINSETTR", SynthPinsetter(), kSoundRate, std::nullopt};
    sounds[ALLEY_SFX_SWEEP] = {"SWEEP", SynthSweep(), kSoundRate, std::nullopt};
    sounds[ALLEY_SFX_STRIKE_CHEER] = {"CHEER", SynthStrikeCheer(), kSoundRate, std::nullopt};
    return sounds;
}

void WriteMusic(const fs::path& pack) {
    StereoPcm tune = SynthMenuMusic();
    const std::vector<u8> image =
        discbuild::AsfWrite({{std::move(tune.left), std::move(tune.right), kSoundRate}});
    fs::create_directories(pack.parent_path());
    std::ofstream out(pack, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + pack.string());
}

}  // namespace

void BuildDiscSounds(const std::string& discDir) {
    WriteBank(fs::path(discDir) / "DATA" / "MENUSND.WAD", "SOUNDS", kSoundBankId, MenuSounds());
    WriteBank(fs::path(discDir) / "DATA" / (std::string(ALLEY_SFX_WAD) + ".WAD"), ALLEY_SFX_WAD,
              ALLEY_SFX_BANK_ID, LaneSounds());
    WriteMusic(fs::path(discDir) / "STREAM" / "MUSIC.ASF");
}

}  // namespace soundgen
