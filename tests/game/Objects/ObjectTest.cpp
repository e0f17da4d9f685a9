// The object runtime: behaviour tasks, the pool, and the flags that switch the
// update and draw passes.
#include <gtest/gtest.h>

#include <cstring>

#include "orblib47/source/HModel.h"
#include "orblib47/source/OrbLib.h"
#include "source/Objects/Object.h"
#include "source/TextureProject.h"
#include "tests/support/GameFixture.h"

namespace {

s32 Updates = 0;
s32 Draws = 0;

void CountUpdate(s_thread*, void* record) {
    ++Updates;
    static_cast<s_object*>(record)->transform.at(0, 3) += 1.0f;
}

void CountDraw(s_object*) {
    ++Draws;
}

const s_BASE_OBJECT kCounter = {"Counter", OBJECT_KIND_PROP, CountUpdate, CountDraw, nullptr};

class ObjectTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Updates = 0;
        Draws = 0;
    }
    void TearDown() override {
        ObjectFreeAll();
        GameFixture::TearDown();
    }
};

TEST_F(ObjectTest, BehaviourTaskIsNamedRunAndKilledWithTheObject) {
    const u32 tasks = SystemThreadCount;
    s_object* named = ObjectCreate(&kCounter, "Lamp Post", nullptr);
    s_object* unnamed = ObjectCreate(&kCounter, nullptr, nullptr);
    ASSERT_NE(named, nullptr);
    ASSERT_NE(unnamed, nullptr);
    EXPECT_EQ(SystemThreadCount, tasks + 2);
    EXPECT_STREQ(static_cast<s_thread*>(named->behavior.next)->name, "Lamp Post");
    EXPECT_STREQ(static_cast<s_thread*>(unnamed->behavior.next)->name, "Dynamic Object");

    ObjectUpdate(named);
    ObjectUpdate(named);
    EXPECT_EQ(Updates, 2);
    EXPECT_EQ(named->transform.at(0, 3), 2.0f);  // the record handed over is the object

    ObjectFree(named);
    EXPECT_EQ(SystemThreadCount, tasks + 1);
    EXPECT_EQ(ObjectCount(), 1);
    ObjectUpdate(unnamed);
    EXPECT_EQ(Updates, 3);
}

TEST_F(ObjectTest, PoolRefusesPastItsSizeAndReusesFreedSlots) {
    s32 made = 0;
    while (ObjectCreate(&kCounter, "Crowd", nullptr) != nullptr)
        ++made;
    // The task pool may run out before the object pool does.
    EXPECT_LE(made, OBJECT_MAX);
    EXPECT_EQ(ObjectCount(), made);
    ObjectFree(ObjectGet(0));
    EXPECT_NE(ObjectCreate(&kCounter, "Late", nullptr), nullptr);
}

// One frame of the task list with the switches and the object's flags as given.
TEST_F(ObjectTest, FlagsSwitchThePasses) {
    struct Case {
        s32 update, draw;
        u32 flags;
        s32 updates, draws;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0},
        {1, 0, 0, 1, 0},
        {0, 1, 0, 0, 1},
        {1, 1, 0, 1, 1},
        {1, 1, OBJECT_FLAG_HIDDEN, 1, 0},
        {1, 1, OBJECT_FLAG_STENCIL, 1, 1},  // drawn once, by the stencil pass
        {1, 0, OBJECT_FLAG_STENCIL, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.update << c.draw << " flags " << std::hex << c.flags);
        s_object* object = ObjectCreate(&kCounter, "Switch", nullptr);
        ASSERT_NE(object, nullptr);
        object->flags = c.flags;
        g_ObjUpdate = c.update;
        g_ObjDraw = c.draw;
        Updates = Draws = 0;
        EventWait(1);
        EXPECT_EQ(Updates, c.updates);
        EXPECT_EQ(Draws, c.draws);
        ObjectFree(object);
    }
}

// A caster inside a projector's radius gives it its shadow for the frame; one
// outside does not.
TEST_F(ObjectTest, CastersNearAProjectorGiveItTheirShadow) {
    ASSERT_EQ(ProjectorWarmReset(), 1);
    CTextureProject projector;
    projector.locals.projectorCenter = {0.0f, 0.0f, 0.0f, 0.0f};
    projector.locals.projectorRadius = 5.0f;
    s_projector_list* record = ProjectorAlloc(&projector);
    ASSERT_NE(record, nullptr);
    s_hmodel near{}, far{};
    const s_BASE_OBJECT still = {"Still", OBJECT_KIND_PROP, nullptr, nullptr, nullptr};
    s_object* objects[2] = {ObjectCreate(&still, "Near", nullptr), ObjectCreate(&still, "Far", nullptr)};
    objects[0]->hmodel = &near;
    objects[0]->transform.at(0, 3) = 3.0f;
    objects[1]->hmodel = &far;
    objects[1]->transform.at(2, 3) = 6.0f;
    for (s_object* object : objects)
        object->flags |= OBJECT_FLAG_CASTER;
    g_ObjUpdate = 1;
    EventWait(1);
    EXPECT_EQ(projector.locals.numObjShadowCast, 1);
    EXPECT_EQ(projector.casters[0], &near);
    EXPECT_NE(projector.locals.flags & u_texproj_object_flags::activeRender, 0u);
    for (s_object* object : objects)
        object->hmodel = nullptr;  // not the pool's to free
    ProjectorFree(record);
    ProjectorShutdownThreads();
    ProjectorShutdownMemory();
}

}  // namespace
