// The screen-movie player on a disc of the test's own: movies compiled from short
// texts into its "640/" folder; the font table's archive, the menu sounds and the
// symbols that name them copied from the demo disc.
#pragma once

#include <string>

#include "source/SFP/SFP2K.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/sfpcompile/SfpCompile.h"

// A centred screen of the movie `name` with the sub-screens "TransIn", "Idle" and
// "TransOut".
struct TestScreen {
    explicit TestScreen(const char* name) {
        info.fileName = name;
        info.screenAlign = 1;
        info.numSubScreens = 3;
        info.subScreens = labels;
    }
    TestScreen(const TestScreen&) = delete;
    SFP_SCREEN_LABEL_t labels[3] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
    SFP_SCREEN_INFO_t info{};
};

class SFPFixture : public GameFixture {
protected:
    HostConfig Config() const override { return disc_.Config(); }
    void SetUp() override;
    void TearDown() override;

    sfpc::CompiledMovie AddMovie(const std::string& source);

    TempDisc disc_;
    // The test movies' text is in "DORVAREG20"; "TAHOMA" is not in the table.
    SFP_FONT_LOOKUP_t fonts_[1] = {{"DORVAREG20", "DATA/IGFNT640", "IGFNT640", nullptr, nullptr, 0}};
};
