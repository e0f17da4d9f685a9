// The projector manager: its pool and tasks, the per-frame reset of the
// projectors' locals, and which projectors its render task draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Projector.h"
#include "tests/support/EngineFixture.h"

namespace {

struct TestProjector : s_texproj_object {
    explicit TestProjector(const s_Vector3& centre = {0.0f, 0.0f, -10.0f, 0.0f}, f32 radius = 1.0f) {
        locals.projectorCenter = centre;
        locals.projectorRadius = radius;
        m_locals = &locals;
    }
    s_texproj_object_locals locals{};
    s_projector_list* record = nullptr;
};

std::vector<s_texproj_object*> Drawn;
// Set by a test whose projectors free their own records while drawn.
bool FreeOwnRecord = false;

void RecordDraw(s_texproj_object* object) {
    Drawn.push_back(object);
    if (FreeOwnRecord) {
        auto* projector = static_cast<TestProjector*>(object);
        projector->record = ProjectorFree(projector->record);
    }
}

class ProjectorTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Drawn.clear();
        FreeOwnRecord = false;
        ASSERT_EQ(ProjectorWarmReset(), 1);
        ProjectorSetDrawFunc(RecordDraw);
        const s_Vector3 eye = {0, 0, 0, 0}, target = {0, 0, -1, 0};
        s_Matrix4 camera;
        Matrix4LookAt(&camera, &target, &eye);
        DrawSetCamera(&camera, &eye);
    }
    void TearDown() override {
        ProjectorShutdownThreads();
        ProjectorShutdownMemory();
        EngineFixture::TearDown();
    }
    static void Add(TestProjector& projector) {
        projector.record = ProjectorAlloc(&projector);
        ASSERT_NE(projector.record, nullptr);
    }
    static void RunUpdate() { ProjectorUpdateThreadPtr->func(ProjectorUpdateThreadPtr, nullptr); }
    static void RunRender() {
        Drawn.clear();
        ProjectorRenderThreadPtr->func(ProjectorRenderThreadPtr, nullptr);
    }
    // A point `outside` beyond the view's right plane, level with (0, 0, -10).
    static s_Vector3 BeyondRightPlane(f32 outside) {
        const s_draw_clip_plane& right = DrawContext.viewport->clipPlanes[0];
        const s_Vector3 p = {0.0f, 0.0f, -10.0f, 0.0f};
        const f32 d = right.x * p.x + right.y * p.y + right.z * p.z + right.distance + outside;
        return {p.x - d * right.x, p.y - d * right.y, p.z - d * right.z, 0.0f};
    }
};

TEST_F(ProjectorTest, WarmResetRegistersBothTasksAndShutdownsTakeThemAway) {
    ASSERT_NE(ProjectorUpdateThreadPtr, nullptr);
    ASSERT_NE(ProjectorRenderThreadPtr, nullptr);
    EXPECT_EQ(std::string(ProjectorUpdateThreadPtr->name), "ProjectorUpdateThread");
    EXPECT_EQ(ProjectorUpdateThreadPtr->priority, 6401u);
    EXPECT_EQ(std::string(ProjectorRenderThreadPtr->name), "ProjectorRenderThread");
    EXPECT_EQ(ProjectorRenderThreadPtr->priority, 5100u);
    const u32 freeTasks = SystemThreads->count;
    ProjectorShutdownThreads();
    EXPECT_EQ(ProjectorUpdateThreadPtr, nullptr);
    EXPECT_EQ(ProjectorRenderThreadPtr, nullptr);
    EXPECT_EQ(SystemThreads->count, freeTasks + 2);
    ProjectorShutdownThreads();  // nothing left to kill
    ProjectorShutdownMemory();
    EXPECT_EQ(ProjectorHeaderRecords, nullptr);
    TestProjector projector;
    EXPECT_EQ(ProjectorAlloc(&projector), nullptr);
}

TEST_F(ProjectorTest, PoolHoldsSixtyFourProjectorsAndTakesFreedRecordsBack) {
    std::vector<TestProjector> projectors(PROJECTOR_MAX + 1);
    for (u32 i = 0; i < PROJECTOR_MAX; ++i)
        Add(projectors[i]);
    EXPECT_EQ(ProjectorAlloc(&projectors[PROJECTOR_MAX]), nullptr);
    projectors[3].record = ProjectorFree(projectors[3].record);
    EXPECT_EQ(projectors[3].record, nullptr);
    Add(projectors[PROJECTOR_MAX]);
    RunRender();
    EXPECT_EQ(Drawn.size(), PROJECTOR_MAX);
    EXPECT_EQ(std::count(Drawn.begin(), Drawn.end(), &projectors[3]), 0);
}

TEST_F(ProjectorTest, UpdateResetsTheFrameStateOfProjectorsWithLocals) {
    TestProjector withLocals, without;
    without.m_locals = nullptr;
    withLocals.locals.flags = u_texproj_object_flags::dynamic | u_texproj_object_flags::activeRender;
    withLocals.locals.numObjShadowCast = 3;
    Add(withLocals);
    Add(without);
    RunUpdate();
    EXPECT_EQ(withLocals.locals.flags, u_texproj_object_flags::dynamic);
    EXPECT_EQ(withLocals.locals.numObjShadowCast, 0);
}

TEST_F(ProjectorTest, RenderDrawsProjectorsThatCanReachTheView) {
    // A veil volume around z < -40: |x| and |y| within 5.
    const s_draw_clip_plane veil[DRAW_VEIL_PLANE_COUNT] = {
        {{}, 1, 0, 0, 5}, {{}, -1, 0, 0, 5}, {{}, 0, 1, 0, 5}, {{}, 0, -1, 0, 5}, {{}, 0, 0, -1, -40},
    };
    DrawSetVeilPlanes(1, veil);
    const struct {
        const char* name;
        s_Vector3 centre;
        bool hasLocals;
        bool drawn;
    } cases[] = {
        {"in view", {0, 0, -10, 0}, true, true},
        {"no locals", {0, 0, -10, 0}, false, false},
        {"just outside, within 1.0", BeyondRightPlane(1.5f), true, true},
        {"outside by more than 1.0", BeyondRightPlane(2.5f), true, false},
        {"behind the eye", {0, 0, 10, 0}, true, false},
        {"wholly inside a veil", {0, 0, -50, 0}, true, false},
        {"crossing a veil's side", {4.5f, 0, -50, 0}, true, true},
    };
    for (const auto& c : cases) {
        TestProjector projector(c.centre, 1.0f);
        if (!c.hasLocals)
            projector.m_locals = nullptr;
        Add(projector);
        RunRender();
        EXPECT_EQ(Drawn.size(), c.drawn ? 1u : 0u) << c.name;
        ProjectorFree(projector.record);
    }
    DrawSetVeilPlanes(0, nullptr);
}

TEST_F(ProjectorTest, AProjectorMayFreeItsOwnRecordWhileDrawn) {
    std::array<TestProjector, 3> projectors;
    for (TestProjector& p : projectors)
        Add(p);
    FreeOwnRecord = true;
    RunRender();
    EXPECT_EQ(Drawn.size(), projectors.size());
    for (const TestProjector& p : projectors)
        EXPECT_EQ(p.record, nullptr);
    RunRender();
    EXPECT_TRUE(Drawn.empty());
}

}  // namespace
