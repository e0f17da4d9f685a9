// The HOME-button menu's files on the demo disc (docs/homebutton.md) and the
// "not available" icon that start-up loads.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"
#include "tools/discbuild/WadWriter.h"

namespace hbmgen {

// The folder of the menu's files, under the data folder the game works in.
constexpr char kFolder[] = "DATA/HomeButton2";

// The layout archive every language shares: the skin, the font and the layout
// values. Faces are under `faceDir`. Errors throw.
std::vector<u8> LayoutArchive(const std::string& faceDir);
// The texts' table (Windows-1252).
std::string TextsTable();
// The settings file.
std::string ConfigText();
// The menu's sound bank: the cursor's tick and the choice's chime.
std::vector<u8> SoundBank();

// Writes every file of the folder. Errors throw.
void BuildDiscHomeButton(const std::string& discDir, const std::string& faceDir);

// The texture "WIINOHOME": a house crossed out, 64 x 64, for the start-up archive.
discbuild::WadChunk NoHomeIcon();

}  // namespace hbmgen
