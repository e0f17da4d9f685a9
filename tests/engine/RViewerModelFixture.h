// The resource viewer's model and world views on the demo disc: the figure and the
// alley archives, what a visit must hand back (heap blocks, UI records), and a
// task that takes the steps of a scripted visit while the view's own loop runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "console/vi.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/Wad.h"
#include "tests/engine/UIFixture.h"

class RViewerModelFixture : public UIFixture {
protected:
    struct Usage {
        u32 avail;
        u32 numHandles;
        u32 freeUIRecords;
        bool operator==(const Usage&) const = default;
    };
    static Usage InUse() {
        return {MainHeap.avail + ExtraHeap.avail, MainHeap.numHandles + ExtraHeap.numHandles,
                UIObjectRecords->count};
    }

    void TearDown() override {
        for (s_wad* wad : wads_)
            WadFree(wad);
        UIFixture::TearDown();
    }

    // An archive of the demo disc's DATA folder, held for the test's length.
    bool Load(const char* name) {
        s_wad* wad = WadLoad((std::string("DATA/") + name + ".WAD").c_str(), 0);
        if (wad != nullptr)
            wads_.push_back(wad);
        return wad != nullptr;
    }

    // The steps of a visit: each runs at its frame, from a task after the UI's, so
    // that the blocking view sees them as a user's doing. The last step should end
    // the view.
    struct Step {
        u32 wait;  // retraces after the step before
        std::function<void()> action;
    };
    void Run(std::vector<Step> steps, const std::function<void()>& view) {
        steps_ = std::move(steps);
        next_ = 0;
        due_ = VIGetRetraceCount() + (steps_.empty() ? 0 : steps_[0].wait);
        UIProbe probe(Take, this);
        view();
    }

    // A click of button 1 at the point, scripted from now.
    void ClickAt(const std::string& point) { Script({point, "button 1 down", "button 1 up"}); }
    static constexpr u32 kClickTime = 30;  // retraces a scripted click takes to arrive

    // The centre of toolbar button `index`.
    static std::string ToolbarButton(s32 index) {
        const s_toolbar& bar = ModelViewerToolBar;
        const s_Irect16 rect{s16(bar.position.x + f32(index * bar.iconSizeX)), s16(bar.position.y),
                             s16(bar.iconSizeX), s16(bar.iconSizeY)};
        return PointAt(rect);
    }

private:
    static void Take(s_thread*, void* record) {
        auto* self = static_cast<RViewerModelFixture*>(record);
        if (self->next_ >= self->steps_.size() && VIGetRetraceCount() > self->due_ + kPatience) {
            ADD_FAILURE() << "the view did not end after its last step";
            UIQuitFlag = 1;
            return;
        }
        if (self->next_ >= self->steps_.size() || VIGetRetraceCount() < self->due_)
            return;
        const size_t index = self->next_++;
        self->steps_[index].action();
        if (self->next_ < self->steps_.size())
            self->due_ = VIGetRetraceCount() + self->steps_[self->next_].wait;
    }

    static constexpr u32 kPatience = 600;

    std::vector<s_wad*> wads_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    u32 due_ = 0;
};
