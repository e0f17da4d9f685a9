#include "tools/hbmgen/HomeButtonDisc.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "source/Wii_HomeButton.h"
#include "tools/discbuild/SfxWriter.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/fontbake/FontBaker.h"
#include "tools/hbmgen/HomeButtonSkin.h"
#include "tools/soundgen/Synth.h"

namespace hbmgen {

namespace fs = std::filesystem;

namespace {

constexpr s32 kStageW = 640;
constexpr s32 kStageH = 448;
constexpr s32 kTitleTop = 16;      // from the panel's top
constexpr s32 kRuleBelow = 34;     // from the title's top
constexpr s32 kButtonsBelow = 14;  // from the rule

void Put32(std::vector<u8>* out, s32 value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back(u8(u32(value) >> shift));
}

std::vector<u8> LayoutValues(const Skin& skin) {
    const s32 panelX = (kStageW - kPanelW) / 2, panelY = (kStageH - kPanelH) / 2;
    const s32 titleY = panelY + kTitleTop, ruleY = titleY + kRuleBelow;
    std::vector<u8> out;
    for (s32 v : {panelX, panelY, kPanelW, kPanelH, kButtonW, kButtonH, kButtonGap, ruleY + kButtonsBelow,
                  titleY, ruleY})
        Put32(&out, v);
    for (const Cell& cell : skin.cells) {
        for (s32 v : {cell.x, cell.y, cell.w, cell.h})
            Put32(&out, v);
    }
    return out;
}

void WriteFile(const fs::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

std::vector<u8> LayoutArchive(const std::string& faceDir) {
    const Skin skin = PaintSkin();
    discbuild::TimTexture sheet;
    sheet.image = skin.atlas;
    fontbake::BakeRequest request;
    request.fontFile = (fs::path(faceDir) / "liberation/LiberationSans-Bold.ttf").string();
    request.name = "HBMFONT";
    request.pixelHeight = 24;
    const fontbake::BakedFont font = fontbake::BakeFont(request);
    discbuild::WadWriter wad;
    wad.Add({"HBMLAYOUT", "LAY", LayoutValues(skin)});
    // The skin comes first; the font's sheet before the font that names it.
    wad.Add({"HBMSKIN", "TIM", discbuild::TimPayload(sheet), discbuild::kWadCompressed});
    wad.Add({font.textureName, "TIM", font.tim, discbuild::kWadCompressed});
    wad.Add({request.name, "FNT", font.fnt});
    return wad.Image();
}

// Windows-1252; a language left empty falls back to English.
std::string TextsTable() {
    return "key,JPN,ENG,GER,FRA,SPA,ITA,NED\n"
           "title,,HOME Menu,HOME-Men\xFC,Menu HOME,Men\xFA HOME,Menu HOME,HOME-menu\n"
           "back,,Back to the Game,Zur\xFC"
           "ck zum Spiel,Retour au jeu,Volver al juego,Torna al gioco,Terug naar het spel\n"
           "reset,,Reset,Neustart,Red\xE9marrer,Reiniciar,Ricomincia,Opnieuw starten\n"
           "menu,,System Menu,Systemmen\xFC,Menu syst\xE8me,Men\xFA del sistema,Menu di "
           "sistema,Systeemmenu\n";
}

std::string ConfigText() {
    return "# The HOME-button menu's settings.\n"
           "blackout_frames=30\n"
           "volume=80\n";
}

std::vector<u8> SoundBank() {
    return discbuild::SfxPayload({
        {"TICK", soundgen::SynthMenuTick(), soundgen::kSoundRate, std::nullopt},
        {"CHOOSE", soundgen::SynthMenuChoose(), soundgen::kSoundRate, std::nullopt},
    });
}

void BuildDiscHomeButton(const std::string& discDir, const std::string& faceDir) {
    const fs::path folder = fs::path(discDir) / kFolder;
    fs::create_directories(folder);
    // Every language's layout is the same: the texts come from the table.
    const std::vector<u8> layout = LayoutArchive(faceDir);
    for (s32 language = 0; language < HOME_BUTTON_LANGUAGES; ++language) {
        s32 region = 0;
        const std::string name = HomeButtonLayoutFile(language, &region);
        WriteFile(folder / name.substr(1), layout.data(), layout.size());
    }
    const std::vector<u8> sounds = SoundBank();
    // Our remotes have no speaker; the file is the same bank, which nothing plays.
    WriteFile(folder / "SpeakerSe.arc", sounds.data(), sounds.size());
    WriteFile(folder / "HomeButtonSe.brsar", sounds.data(), sounds.size());
    const std::string texts = TextsTable(), config = ConfigText();
    WriteFile(folder / "home.csv", texts.data(), texts.size());
    WriteFile(folder / "config.txt", config.data(), config.size());
}

discbuild::WadChunk NoHomeIcon() {
    discbuild::TimTexture icon;
    icon.image = PaintNoHomeIcon();
    return {"WIINOHOME", "TIM", discbuild::TimPayload(icon), discbuild::kWadCompressed};
}

}  // namespace hbmgen
