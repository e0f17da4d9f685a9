// The UI toolkit on the demo disc (for the debug fonts), driven through the real
// task list by a script of remote 0: the pointer in screen pixels and the
// remote's buttons, one step every six retraces, read by the mouse and pad tasks.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "console/vi.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/UIObject.h"
#include "source/DefaultDisc.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/GameFixture.h"

class UIFixture : public EngineFixture {
protected:
    HostConfig Config() const override {
        HostConfig config = EngineFixture::Config();
        config.discRoot = DefaultDiscRoot();
        return config;
    }

    void SetUp() override {
        EngineFixture::SetUp();
        MouseEnable();
        FontSetDefaults(DebugFont);
    }

    // Installs the script: the remote connects now, step k's events (separated by
    // ';', "pointer X Y" in pixels) come 6 (k + 1) retraces later.
    void Script(const std::vector<std::string>& steps) {
        std::string script = "0 0 connect\n";
        for (size_t k = 0; k < steps.size(); ++k) {
            std::istringstream events(steps[k]);
            for (std::string event; std::getline(events, event, ';');)
                script += std::to_string(kStep * (k + 1)) + " 0 " + Event(event) + "\n";
        }
        start_ = VIGetRetraceCount();
        ScriptFromNow(script);
    }

    // Runs frames until the events of step k have reached the UI task.
    void RunToStep(size_t k) {
        while (VIGetRetraceCount() < start_ + kStep * (k + 1) + 3)
            EventWait(1);
    }

    void Play(const std::vector<std::string>& steps) {
        Script(steps);
        RunToStep(steps.size() - 1);
    }

private:
    static std::string Event(const std::string& event) {
        f32 x = 0.0f;
        f32 y = 0.0f;
        if (std::sscanf(event.c_str(), " pointer %f %f", &x, &y) != 2)
            return event;
        const f32 halfWidth = f32(DrawContext.screenSize.x) / 2.0f;
        const f32 halfHeight = f32(DrawContext.screenSize.y) / 2.0f;
        char text[64];
        std::snprintf(text, sizeof(text), "pointer %.6f %.6f", (x + 0.5f - halfWidth) / halfWidth,
                      (y + 0.5f - halfHeight) / halfHeight);
        return text;
    }

    static constexpr u32 kStep = 6;  // retraces; a button held for one step does not repeat
    u32 start_ = 0;
};

// A task that looks at the UI's state each frame, right after the UI task (or,
// at kBeforeUI, at the input just before the UI task takes it).
struct UIProbe {
    static constexpr u32 kAfterUI = 4299;
    static constexpr u32 kBeforeUI = 4301;
    explicit UIProbe(void (*look)(s_thread*, void*), void* record = nullptr, u32 priority = kAfterUI)
        : task(ThreadInsertPriorityDebug("UIProbe", nullptr, record, look, nullptr, priority)) {}
    ~UIProbe() { ThreadKill(task); }
    s_thread* task;
};

// "pointer X Y" at the centre of the rect, offset by the parent's position.
inline std::string PointAt(const s_Irect16& rect, const s_Irect16* parent = nullptr) {
    const s32 x = rect.x + rect.w / 2 + (parent != nullptr ? parent->x : 0);
    const s32 y = rect.y + rect.h / 2 + (parent != nullptr ? parent->y : 0);
    return "pointer " + std::to_string(x) + " " + std::to_string(y);
}
