// The resource viewer on a disc of the test's own (the demo disc's archives, cut
// scene and stream pack under a short "files.txt"), driven by the pad of remote 0:
// a probe task waits for each stage's state, then plays the stage's presses.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "console/vi.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/UIMenu.h"
#include "source/DefaultDisc.h"
#include "tests/engine/UIFixture.h"
#include "tests/support/TempDisc.h"

// Presses of the pad, each a step of six retraces: down then up.
inline std::vector<std::string> Press(std::initializer_list<const char*> buttons) {
    std::vector<std::string> steps;
    for (const char* button : buttons) {
        steps.push_back(std::string("button ") + button + " down");
        steps.push_back(std::string("button ") + button + " up");
    }
    return steps;
}

class RViewerFixture : public UIFixture {
protected:
    RViewerFixture() {
        for (const char* file : {"DEBUG.WAD", "DATA/ALLEY.WAD", "DATA/MENUSND.WAD", "DATA/SPRITES.WAD",
                                 "DATA/INTRO.CSF", "STREAM/MUSIC.ASF"})
            Copy(file);
        const std::string list =
            "data\r\ndata\\alley.wad\r\ndata\\intro.csf\r\ndata\\menusnd.wad\r\ndata\\sprites.wad\r\n"
            "stream\r\nstream\\music.asf\r\n";
        disc_.Write("files.txt", {list.begin(), list.end()});
    }

    HostConfig Config() const override {
        HostConfig config = UIFixture::Config();
        config.discRoot = disc_.root();
        config.mem1Size = HostConfig{}.mem1Size;  // the alley's archive needs the whole memory
        config.mem2Size = HostConfig{}.mem2Size;
        return config;
    }

    // One stage of a run: once `ready` holds (checked each frame after the UI),
    // `settle` frames later `look` runs and the presses start.
    struct Stage {
        std::function<bool()> ready;
        std::vector<std::string> presses;
        std::function<void()> look = nullptr;
        u32 settle = 4;
        bool optional = false;  // passed over when not ready
    };

    // Runs the viewer (or one view) through the stages; a run that outlives
    // `frames` is cancelled and quit. The number of stages whose presses were played.
    size_t Run(
        std::vector<Stage> stages, u32 frames = 4000,
        const std::function<void()>& run = [] { EXPECT_EQ(ViewResource(), -1); }) {
        Driver driver{std::move(stages), VIGetRetraceCount() + frames};
        UIProbe probe(Drive, &driver);
        run();
        return driver.next;
    }

    // The main bar open alone and idle, nothing else on screen.
    static bool AtMainBar() {
        const s_ui_object* first = UIObjectList.next;
        return first != nullptr && first->next == nullptr && first->type == UI_OBJ_MENUBAR &&
               reinterpret_cast<const s_menubar_obj*>(first)->menuList == RViewerMenus && RViewerEvent == 0;
    }
    // A window titled `title` is open at the top level.
    static bool WindowShown(const char* title) {
        for (const s_ui_object* object = UIObjectList.next; object != nullptr; object = object->next) {
            if (object->type == UI_OBJ_WINDOW &&
                std::string(reinterpret_cast<const s_window_obj*>(object)->title) == title)
                return true;
        }
        return false;
    }

    // The main bar's menu `menu` (0 File, 1 Edit, 2 View), item `item`, chosen.
    static std::vector<std::string> Choose(s32 menu, s32 item) {
        std::vector<std::string> steps = Press({"minus"});
        for (s32 i = 0; i < menu; ++i)
            Append(steps, Press({"right"}));
        for (s32 i = 0; i < item; ++i)
            Append(steps, Press({"down"}));
        Append(steps, Press({"a"}));
        return steps;
    }
    static void Append(std::vector<std::string>& steps, const std::vector<std::string>& more) {
        steps.insert(steps.end(), more.begin(), more.end());
    }

    struct HeapState {
        u32 avail;
        u32 handles;
        bool operator==(const HeapState&) const = default;
    };
    static HeapState Heaps() {
        return {MainHeap.avail + ExtraHeap.avail, MainHeap.numHandles + ExtraHeap.numHandles};
    }

    TempDisc disc_;

    void Copy(const std::string& file) const {
        std::ifstream in(std::filesystem::path(DefaultDiscRoot()) / file, std::ios::binary);
        disc_.Write(file, {std::istreambuf_iterator<char>(in), {}});
    }

private:
    struct Driver {
        std::vector<Stage> stages;
        u32 deadline;
        size_t next = 0;
        u32 readyAt = 0;  // the retrace at which the next stage was found ready
        u32 busyUntil = 0;
    };

    static void Drive(s_thread*, void* record) {
        auto* driver = static_cast<Driver*>(record);
        const u32 now = VIGetRetraceCount();
        if (now > driver->deadline) {
            RViewerCancel = 1;
            UIQuitFlag = 1;
            return;
        }
        if (now < driver->busyUntil || driver->next >= driver->stages.size())
            return;
        Stage& stage = driver->stages[driver->next];
        if (driver->readyAt == 0) {
            if (stage.ready())
                driver->readyAt = now;
            else if (stage.optional)
                ++driver->next;
            return;
        }
        if (now < driver->readyAt + stage.settle)
            return;
        if (stage.look)
            stage.look();
        std::string script = "0 0 connect\n";
        for (size_t k = 0; k < stage.presses.size(); ++k)
            script += std::to_string(kStep * (k + 1)) + " 0 " + stage.presses[k] + "\n";
        ScriptFromNow(script);
        driver->busyUntil = now + kStep * u32(stage.presses.size() + 1) + 3;
        driver->readyAt = 0;
        ++driver->next;
    }

    static constexpr u32 kStep = 6;
};
