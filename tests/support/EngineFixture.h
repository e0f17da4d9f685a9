// A console on the virtual clock with small arenas, and the engine cold- and
// warm-reset on it, for every test; the debug output is captured.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "console/system.h"
#include "tests/support/ReportCapture.h"
#include "tests/support/TestHost.h"

class EngineFixture : public ::testing::Test {
protected:
    // The console the engine starts on; a fixture with a disc of its own overrides it.
    virtual HostConfig Config() const { return TestHostConfig(); }
    void SetUp() override;
    void TearDown() override;

    const ReportCapture& report() const { return *report_; }

    std::unique_ptr<ReportCapture> report_;
};

// Death tests read the fatal message on standard error, so nothing is captured.
class EngineDeathFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        report_.reset();
    }
};

// Replaces the remotes' input script (docs/input.md) by `lines`, whose frames
// count retraces from now.
void ScriptFromNow(const std::string& lines);
