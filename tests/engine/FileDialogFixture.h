// The UI toolkit over a disc of the test's own: the demo disc's debug fonts and a
// "files.txt" the test writes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "orblib47/source/OpenFileDialogInternal.h"
#include "source/DefaultDisc.h"
#include "tests/engine/UIFixture.h"
#include "tests/support/TempDisc.h"

class FileDialogFixture : public UIFixture {
protected:
    FileDialogFixture() {
        std::ifstream wad(std::filesystem::path(DefaultDiscRoot()) / "DEBUG.WAD", std::ios::binary);
        disc_.Write("DEBUG.WAD", {std::istreambuf_iterator<char>(wad), {}});
    }

    HostConfig Config() const override {
        HostConfig config = UIFixture::Config();
        config.discRoot = disc_.root();
        return config;
    }

    void WriteList(const std::string& text) const { disc_.Write("files.txt", {text.begin(), text.end()}); }

    TempDisc disc_;
};

// The entries listed, separated by ",".
inline std::string Listing() {
    std::string text;
    for (s32 i = 0; i < OpenFileDialogFileListSize; ++i)
        text += (i == 0 ? "" : ",") + std::string(OpenFileDialogFileList[i]);
    return text;
}
