#include "tools/soundgen/DiscSounds.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/discbuild/AsfWriter.h"
#include "tools/discbuild/SfxWriter.h"
#include "tools/discbuild/WadWriter.h"
#include "tools/soundgen/Synth.h"

namespace soundgen {

namespace {

namespace fs = std::filesystem;

void WriteBank(const fs::path& archive) {
    std::vector<discbuild::SfxSound> sounds = {
        {"BALLROLL", SynthBallRoll(), kSoundRate, 0u},
        {"PINCRASH", SynthPinCrash(), kSoundRate, std::nullopt},
        {"GUTTER", SynthGutter(), kSoundRate, std::nullopt},
        {"CLICK", SynthClick(), kSoundRate, std::nullopt},
    };
    discbuild::WadWriter wad;
    wad.Add({"SOUNDS", "SFX", discbuild::SfxPayload(sounds), 0, 0, kSoundBankId});
    fs::create_directories(archive.parent_path());
    if (!wad.Write(archive.string()))
        throw std::runtime_error("cannot write " + archive.string());
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
    WriteBank(fs::path(discDir) / "DATA" / "MENUSND.WAD");
    WriteMusic(fs::path(discDir) / "STREAM" / "MUSIC.ASF");
}

}  // namespace soundgen
