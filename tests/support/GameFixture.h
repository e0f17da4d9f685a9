// The engine fixture's console and engine, then the game's own resets, as OrbMain
// runs them: every game test starts from the state of a fresh process.
#pragma once

#include <string>

#include "tests/support/EngineFixture.h"

class GameFixture : public EngineFixture {
protected:
    void SetUp() override;
};

// The game on the demo disc the build makes.
class DemoDiscFixture : public GameFixture {
protected:
    HostConfig Config() const override;
};

// The demo disc with the console's whole memory, which the menu fonts need, as
// the program has it, working in the data folder as the game does after start-up.
class MenuDiscFixture : public DemoDiscFixture {
protected:
    HostConfig Config() const override;
    void SetUp() override;
};

// The menu disc with the screen-movie player started as the game starts it (its
// fonts, the movie folder "640"), the system texts and the menu sounds loaded.
class MenuScreenFixture : public MenuDiscFixture {
protected:
    void SetUp() override;
    void TearDown() override;
};
