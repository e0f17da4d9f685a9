#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orblib47/source/OrbThread.h"
#include "tests/support/EngineFixture.h"

namespace {

// Tasks log their names into the calls list; a test may give a task an action.
struct Probe;
std::vector<std::string>* gCalls = nullptr;

struct Probe {
    std::string name;
    void (*action)(s_thread* task, Probe* probe) = nullptr;
    s_thread* other = nullptr;  // a task the action works on
    int kills = 0;
};

void ProbeFunc(s_thread* task, void* record) {
    auto* probe = static_cast<Probe*>(record);
    gCalls->push_back(probe->name);
    if (probe->action)
        probe->action(task, probe);
}

void ProbeKill(s_thread*, void* record) {
    ++static_cast<Probe*>(record)->kills;
}

class TaskListTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        gCalls = &calls_;
        // A private list, so the engine's own tasks stay out of the way.
        head_ = s_linked_list{nullptr, nullptr, 65535};
    }
    void TearDown() override {
        gCalls = nullptr;
        EngineFixture::TearDown();
    }

    s_thread* Add(Probe& probe, u32 priority) {
        return ThreadInsertPriorityDebug(probe.name.c_str(), &head_, &probe, ProbeFunc, ProbeKill, priority);
    }
    void RunPass() { ThreadProcess(static_cast<s_thread*>(head_.next)); }
    std::vector<std::string> ListNames() {
        std::vector<std::string> names;
        for (s_linked_list* n = head_.next; n != nullptr; n = n->next)
            names.push_back(static_cast<s_thread*>(n)->name);
        return names;
    }

    s_linked_list head_{};
    std::vector<std::string> calls_;
};

using TaskListDeathTest = TaskListTest;
using Names = std::vector<std::string>;

TEST_F(TaskListTest, HigherPriorityFirstAndEqualsLastRegisteredFirst) {
    Probe a{"A"}, b{"B"}, c{"C"}, low{"low"}, high{"high"};
    Add(a, 5100);
    Add(low, 5000);
    Add(b, 5100);
    Add(high, 9000);
    Add(c, 5100);
    RunPass();
    EXPECT_EQ(calls_, (Names{"high", "C", "B", "A", "low"}));
}

TEST_F(TaskListTest, WarmResetRegistersTheFrameTasksInOrder) {
    std::vector<std::string> names;
    for (s_linked_list* n = SystemThreads->next; n != nullptr; n = n->next) {
        names.push_back(static_cast<s_thread*>(n)->name);
    }
    EXPECT_EQ(names, (Names{"FileGetStatusThread",
                            "TimeSliceStartThread",
                            "PadThread",
                            "KeyboardThread",
                            "PhysicsParticlesUpdateThread",
                            "DecalUpdateThread",
                            "ParticleSystemUpdateThread",
                            "PhysicsParticlesRenderThread",
                            "ParticleSystemRenderThread",
                            "COrbMaterial:StartThread",
                            "DrawSortOpaqueFlushThread",
                            "SpriteDrawOpaqueThread",
                            "WorldRenderThread",
                            "DecalRenderThread",
                            "SpriteDrawAlphaThread",
                            "WorldRenderAlphaThread",
                            "DrawSortAlphaFlushThread",
                            "SpriteDrawFrameBufferThread",
                            "SpriteDrawParticlesThread",
                            "COrbMaterial:EndThread",
                            "UIObjectThreadFunc",
                            "DebugTimingThread",
                            "HWResetThread",
                            "MouseThread",
                            "SpatialSfxThread",
                            "COrbStreamManager::UpdateThread",
                            "ModelGroupThread",
                            "HAnimSpoolUpdateThread",
                            "DrawThread",
                            "HeapThread",
                            "TimeSliceEndThread"}));
    EXPECT_EQ(SystemThreadCount, 31u);
}

TEST_F(TaskListTest, SelfKillGoesOnWithTheFollowingTask) {
    Probe a{"A"}, b{"B"}, c{"C"};
    b.action = [](s_thread* task, Probe*) { ThreadKill(task); };
    Add(c, 1);
    Add(b, 2);
    Add(a, 3);
    u32 before = SystemThreadCount;
    RunPass();
    EXPECT_EQ(calls_, (Names{"A", "B", "C"}));
    EXPECT_EQ(SystemThreadCount, before - 1);
    EXPECT_EQ(b.kills, 1);
    EXPECT_EQ(ListNames(), (Names{"A", "C"}));
}

TEST_F(TaskListTest, TaskInsertedRightAfterASelfKillingTaskRunsInTheSamePass) {
    static Probe late{"late"};
    Probe a{"A"}, c{"C"};
    a.action = [](s_thread* task, Probe*) {
        ThreadInsertPriorityDebug("late", task->prev, &late, ProbeFunc, nullptr, task->priority - 1);
        ThreadKill(task);
    };
    Add(c, 1);
    Add(a, 5);
    RunPass();
    EXPECT_EQ(calls_, (Names{"A", "late", "C"}));
}

TEST_F(TaskListTest, TaskKilledByAnotherDuringThePassIsNeverCalled) {
    Probe a{"A"}, b{"B"}, c{"C"};
    a.action = [](s_thread*, Probe* self) { ThreadKill(self->other); };
    Add(c, 1);
    a.other = Add(b, 2);
    Add(a, 3);
    RunPass();
    EXPECT_EQ(calls_, (Names{"A", "C"}));
    EXPECT_EQ(b.kills, 1);
}

TEST_F(TaskListTest, RecordReusedDuringThePassIsNotCalledUnderItsOldIdentity) {
    // A kills B, whose record the pool hands out again at once for a task that
    // lands before C: the new task waits for the next pass, B is never called.
    static Probe fresh{"fresh"};
    Probe a{"A"}, b{"B"}, c{"C"};
    a.action = [](s_thread* task, Probe* self) {
        ThreadKill(self->other);
        s_thread* reused = ThreadInsertPriorityDebug("fresh", task->prev, &fresh, ProbeFunc, nullptr, 10);
        EXPECT_EQ(reused, self->other);
    };
    Add(c, 1);
    a.other = Add(b, 2);
    Add(a, 20);
    RunPass();
    EXPECT_EQ(calls_, (Names{"A", "C"}));
    calls_.clear();
    a.action = nullptr;
    RunPass();
    EXPECT_EQ(calls_, (Names{"A", "fresh", "C"}));
}

TEST_F(TaskListTest, PrivateListKillingTheOuterPassesNextTaskIsSafe) {
    // The outer task runs a private list whose task kills the outer list's next task.
    static s_linked_list inner{nullptr, nullptr, 65535};
    static Probe innerProbe{"inner"};
    static s_thread* victim = nullptr;
    inner = s_linked_list{nullptr, nullptr, 65535};
    innerProbe.action = [](s_thread*, Probe*) { ThreadKill(victim); };
    Probe outer{"outer"}, b{"B"}, c{"C"};
    outer.action = [](s_thread*, Probe*) { ThreadProcess(static_cast<s_thread*>(inner.next)); };
    ThreadInsertPriorityDebug("inner", &inner, &innerProbe, ProbeFunc, nullptr, 1);
    Add(c, 1);
    victim = Add(b, 2);
    Add(outer, 3);
    RunPass();
    EXPECT_EQ(calls_, (Names{"outer", "inner", "C"}));
}

TEST_F(TaskListTest, FullPoolReturnsNullAndListsTheTasks) {
    Probe p{"filler"};
    s_thread* last = nullptr;
    while ((last = Add(p, 1)) != nullptr) {
    }
    EXPECT_TRUE(report().contains("ThreadInsertPriorityDebug: RAN OUT OF THREADS!\nfiller\n"));
    EXPECT_EQ(ThreadInsertPriority(&head_, &p, ProbeFunc, nullptr, 1), nullptr);
    EXPECT_TRUE(report().contains("ThreadInsertPriority: OUT OF THREADS!\n"));
    EXPECT_EQ(ThreadAppendDebug("x", &head_, &p, ProbeFunc, nullptr), nullptr);
    EXPECT_TRUE(report().contains("ThreadAppendDebug: OUT OF THREADS!\n"));
}

TEST_F(TaskListTest, KillListKillsEveryTaskAndCallsEachKillFunction) {
    Probe a{"A"}, b{"B"};
    Add(a, 2);
    Add(b, 1);
    u32 before = SystemThreadCount;
    ThreadKillList(static_cast<s_thread*>(head_.next));
    EXPECT_EQ(a.kills, 1);
    EXPECT_EQ(b.kills, 1);
    EXPECT_EQ(SystemThreadCount, before - 2);
    EXPECT_EQ(head_.next, nullptr);
}

TEST_F(TaskListTest, KillListSurvivesAKillFunctionThatKillsTheNextTask) {
    static s_thread* second = nullptr;
    Probe a{"A"}, b{"B"};
    s_thread* first = ThreadInsertPriorityDebug(
        "A", &head_, &a, ProbeFunc, [](s_thread*, void*) { ThreadKill(second); }, 2);
    second = Add(b, 1);
    ThreadKillList(first);
    EXPECT_EQ(b.kills, 1);
    EXPECT_EQ(head_.next, nullptr);
}

TEST_F(TaskListTest, SystemCriticalPassCallsOnlyFlaggedTasks) {
    Probe a{"A"}, b{"B"};
    Add(a, 2)->flags |= THREAD_FLAG_SYSTEM_CRITICAL;
    Add(b, 1);
    ThreadProcessSystemCritical(static_cast<s_thread*>(head_.next));
    EXPECT_EQ(calls_, (Names{"A"}));
}

TEST_F(TaskListTest, TimerDelaysTheCallByItsCount) {
    Probe a{"A"};
    Add(a, 1)->timer = 2;
    RunPass();
    EXPECT_TRUE(calls_.empty());
    RunPass();
    EXPECT_EQ(calls_, (Names{"A"}));
    RunPass();
    EXPECT_EQ(calls_.size(), 2u);
}

TEST_F(TaskListTest, AppendTakesThePriorityOfItsPredecessor) {
    Probe a{"A"}, b{"B"};
    Add(a, 77);
    s_thread* appended = ThreadAppendDebug("B", &head_, &b, ProbeFunc, nullptr);
    ASSERT_NE(appended, nullptr);
    EXPECT_EQ(appended->priority, 77u);
    EXPECT_EQ(ListNames(), (Names{"A", "B"}));
}

TEST_F(TaskListTest, LongNamesAreCutAndTerminated) {
    Probe a{std::string(40, 'x')};
    s_thread* task = Add(a, 1);
    EXPECT_EQ(std::string(task->name), std::string(31, 'x'));
}

TEST_F(TaskListDeathTest, KillingATaskTwiceIsFatal) {
    report_.reset();  // the fatal message goes to standard error
    Probe a{"A"};
    s_thread* task = Add(a, 1);
    ThreadKill(task);
    EXPECT_DEATH(
        ThreadKill(task),
        "Assertion Failure: \"FALSE\"\n  File: OrbThread.cpp\n.*\n  Thread [0-9a-f]+ already removed!");
}

}  // namespace
