// Shared set-up of the console tests: a fresh virtual-clock console per test,
// with small arenas so set-up stays cheap.
#pragma once

#include <gtest/gtest.h>

#include "console/system.h"

inline HostConfig SmallConfig() {
    HostConfig config;
    config.mem1Size = 256 * 1024;
    config.mem2Size = 256 * 1024;
    return config;
}

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override { HostInit(SmallConfig()); }
    void TearDown() override { HostShutdown(); }
};
