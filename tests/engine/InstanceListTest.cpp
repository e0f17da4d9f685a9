#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/InstanceInternal.h"
#include "orblib47/source/OrbThread.h"
#include "tests/engine/GameDataFixture.h"

namespace {

using namespace discbuild;

struct Event {
    std::string name;
    e_INSTANCE_EVENT_TYPE event;
    bool operator==(const Event&) const = default;
};

std::vector<Event> Events;
std::map<std::string, s32> Results;  // what the handler answers per name; 1 when absent
void* CreateParm = nullptr;

s32 RecordingHandler(s_INSTANCE* instance, e_INSTANCE_EVENT_TYPE event, void* parm) {
    Events.push_back({instance->name, event});
    if (event == INSTANCE_EVENT_CREATE)
        CreateParm = parm;
    const auto found = Results.find(instance->name);
    return found != Results.end() ? found->second : 1;
}

constexpr GamVector kInView = {0, 0, 0};
constexpr GamVector kBehind = {0, 0, 100};

class InstanceListTest : public GameDataFixture {
protected:
    void SetUp() override {
        GameDataFixture::SetUp();
        Events.clear();
        Results.clear();
        CreateParm = nullptr;
        CInstanceList::RegisterFunc(INSTANCE_TYPE_INSTANCE_OBJECT, RecordingHandler);
        CInstanceList::Enable(1);
        // The camera on the z axis looking at the origin.
        const s_Vector3 eye = {0, 0, 10, 0}, target = {0, 0, 0, 0};
        s_Matrix4 camera;
        Matrix4LookAt(&camera, &target, &eye);
        DrawSetCamera(&camera, &eye);
    }

    static GamInstance Object(const char* name, GamVector pos, u32 groupId = 0, u32 flags = 0) {
        return GamTestInstance(name, pos, INSTANCE_TYPE_INSTANCE_OBJECT, groupId, flags);
    }
    CGameData* LoadInstances(std::vector<GamInstance> instances, const char* name = "LEVEL") {
        GamLevel level;
        level.instances = std::move(instances);
        return Load(level, name);
    }
    // One frame's events.
    std::vector<Event> Frame() {
        Events.clear();
        EventWait(1);
        return Events;
    }
};

constexpr auto kCreate = INSTANCE_EVENT_CREATE;
constexpr auto kRemove = INSTANCE_EVENT_REMOVE;
constexpr auto kInViewEvent = INSTANCE_EVENT_WITHIN_FUSTRUM;

TEST_F(InstanceListTest, AForcedListCreatesOnTheFirstFrameAndCullsFromTheNext) {
    CGameData* game = LoadInstances({Object("FORCED", kBehind, 0, u_INSTANCE_FLAGS::Force_Create),
                                     Object("SEEN", kInView), Object("HIDDEN", kBehind)});
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(Frame(), (std::vector<Event>{{"FORCED", kCreate}}));
    EXPECT_EQ(CreateParm, game);
    EXPECT_EQ(Frame(), (std::vector<Event>{{"SEEN", kCreate}, {"SEEN", kInViewEvent}}));
    EXPECT_EQ(Frame(), (std::vector<Event>{{"SEEN", kInViewEvent}}));
    EXPECT_NE(game->GetInstance(0)->sysFlags & u_INSTANCE_FLAGS::Active, 0u);
}

TEST_F(InstanceListTest, ARefusedCreationStaysInactiveIsOfferedAgainAndIsNotToldItIsInView) {
    CGameData* game = LoadInstances({Object("SHY", kInView)});
    ASSERT_NE(game, nullptr);
    Results["SHY"] = 0;
    Frame();  // the forced pass
    for (s32 frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(Frame(), (std::vector<Event>{{"SHY", kCreate}}));
        EXPECT_EQ(game->GetInstance(0)->sysFlags & u_INSTANCE_FLAGS::Active, 0u);
    }
    Results["SHY"] = 1;
    EXPECT_EQ(Frame(), (std::vector<Event>{{"SHY", kCreate}, {"SHY", kInViewEvent}}));
}

TEST_F(InstanceListTest, DisabledInstancesListsAndModuleDoNothing) {
    CGameData* game =
        LoadInstances({Object("OFF", kInView, 0, u_INSTANCE_FLAGS::Disabled), Object("ON", kInView)});
    ASSERT_NE(game, nullptr);
    Frame();
    EXPECT_EQ(Frame(), (std::vector<Event>{{"ON", kCreate}, {"ON", kInViewEvent}}));
    game->m_InstanceList->m_Flags |= u_INSTANCE_LIST_FLAGS::Disabled;
    EXPECT_TRUE(Frame().empty());
    game->m_InstanceList->m_Flags = 0;
    EXPECT_EQ(CInstanceList::Enable(0), 1);
    EXPECT_TRUE(Frame().empty());
}

TEST_F(InstanceListTest, AMemberInViewCreatesItsWholeGroup) {
    CGameData* game =
        LoadInstances({Object("A", kInView, 1), Object("B", kBehind, 1), Object("C", kBehind, 2)});
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->m_InstanceList->m_NumGroups, 2);
    Frame();
    EXPECT_EQ(Frame(), (std::vector<Event>{{"A", kCreate}, {"B", kCreate}, {"A", kInViewEvent}}));
}

TEST_F(InstanceListTest, AGroupIsRemovedOnlyWhenAllItsMembersAsk) {
    CGameData* game = LoadInstances({Object("A", kBehind, 1, u_INSTANCE_FLAGS::Force_Create),
                                     Object("B", kBehind, 1), Object("C", kBehind, 1)});
    ASSERT_NE(game, nullptr);
    Frame();
    s_INSTANCE* members[] = {game->GetInstance(0), game->GetInstance(1), game->GetInstance(2)};
    members[0]->sysFlags |= u_INSTANCE_FLAGS::Remove_Me;
    members[1]->sysFlags |= u_INSTANCE_FLAGS::Remove_Me;
    EXPECT_TRUE(Frame().empty());
    members[2]->sysFlags |= u_INSTANCE_FLAGS::Remove_Me;
    Results["B"] = 0;  // B's removal fails: it keeps asking
    EXPECT_EQ(Frame(), (std::vector<Event>{{"A", kRemove}, {"B", kRemove}, {"C", kRemove}}));
    EXPECT_EQ(members[0]->sysFlags & u_INSTANCE_FLAGS::Remove_Me, 0u);
    EXPECT_NE(members[1]->sysFlags & u_INSTANCE_FLAGS::Remove_Me, 0u);
    EXPECT_TRUE(Frame().empty());
}

TEST_F(InstanceListTest, A33rdGroupMemberIsLeftOut) {
    std::vector<GamInstance> instances;
    std::vector<std::string> names;
    for (s32 i = 0; i <= INSTANCE_GROUP_MAX_MEMBERS; ++i)
        names.push_back("M" + std::to_string(i));
    for (const std::string& name : names)
        instances.push_back(Object(name.c_str(), kBehind, 2));
    CGameData* game = LoadInstances(instances);
    ASSERT_NE(game, nullptr);
    EXPECT_TRUE(report().contains("CreateGroupList: Too many members in group 2!\n"));
    EXPECT_EQ(game->m_InstanceList->m_GroupList[2].numMembers, INSTANCE_GROUP_MAX_MEMBERS);
}

TEST_F(InstanceListTest, FreeingTheListRemovesItsActiveInstancesAndTheLastStopsTheTask) {
    CGameData* first =
        LoadInstances({Object("LIVE", kBehind, 0, u_INSTANCE_FLAGS::Force_Create), Object("IDLE", kBehind)});
    CGameData* second = LoadInstances({}, "SECOND");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(InstanceList, second->m_InstanceList);
    Frame();
    Events.clear();
    s_thread* task = InstanceListThreadPtr;
    ASSERT_NE(task, nullptr);
    EXPECT_STREQ(task->name, "InstanceListThread");
    EXPECT_EQ(task->priority, INSTANCE_LIST_TASK_PRIORITY);
    GameDataFree(first);
    loaded_.erase(loaded_.begin());
    EXPECT_EQ(Events, (std::vector<Event>{{"LIVE", kRemove}}));
    EXPECT_EQ(InstanceListThreadPtr, task);
    EXPECT_EQ(InstanceList, second->m_InstanceList);
    EXPECT_EQ(second->m_InstanceList->m_Next, nullptr);
}

TEST_F(InstanceListTest, InstancesAreCountedByTypeOverListsAndDynamics) {
    LoadInstances({Object("A", kInView), Object("B", kInView)});
    LoadInstances({Object("C", kInView), GamTestInstance("L", kInView, INSTANCE_TYPE_INSTANCE_SCENE_LIGHT)},
                  "SECOND");
    s_INSTANCE dynamic{};
    dynamic.type = INSTANCE_TYPE_INSTANCE_OBJECT;
    dynamic.name = "DYN";
    ASSERT_NE(CInstanceList::NewDynamic(dynamic), nullptr);
    EXPECT_EQ(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_OBJECT), 4);
    EXPECT_EQ(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_SCENE_LIGHT), 1);
    EXPECT_EQ(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_GLANCE), 0);
}

TEST_F(InstanceListTest, FreeingADynamicInstanceTwicePrintsAndChangesNothing) {
    s_INSTANCE from{};
    from.type = INSTANCE_TYPE_INSTANCE_PICKUP;
    from.name = "COIN";
    s_INSTANCE* coin = CInstanceList::NewDynamic(from);
    ASSERT_NE(coin, nullptr);
    EXPECT_EQ(coin->sysFlags, u_INSTANCE_FLAGS::Dynamic);
    CInstanceList::FreeDynamic(coin);
    EXPECT_EQ(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_PICKUP), 0);
    EXPECT_EQ(InstanceFreeCount, 1);
    const std::string message =
        "CInstanceList::FreeDynamic: Attempting to free dynamic instance COIN more than once!\n";
    for (s32 extra = 1; extra <= 2; ++extra) {
        CInstanceList::FreeDynamic(coin);
        EXPECT_EQ(InstanceFreeCount, 1);
        std::string text = report().text();
        s32 count = 0;
        for (size_t at = text.find(message); at != std::string::npos; at = text.find(message, at + 1))
            ++count;
        EXPECT_EQ(count, extra);
    }
    CInstanceList::FreeDynamic(nullptr);
}

TEST_F(InstanceListTest, AFreedDynamicInstanceStaysReadableUntilItsRingSlotIsReused) {
    s_INSTANCE from{};
    from.name = "D";
    const Usage empty = InUse();
    s_INSTANCE* first = CInstanceList::NewDynamic(from);
    CInstanceList::FreeDynamic(first);
    for (s32 i = 1; i < INSTANCE_FREE_RING_SIZE; ++i)
        CInstanceList::FreeDynamic(CInstanceList::NewDynamic(from));
    EXPECT_EQ(InstanceFreeList[0], first);
    EXPECT_NE(first->sysFlags & u_INSTANCE_FLAGS::Rip, 0u);  // still readable
    const Usage full = InUse();
    CInstanceList::FreeDynamic(CInstanceList::NewDynamic(from));
    EXPECT_NE(InstanceFreeList[0], first);
    EXPECT_EQ(InUse(), full);  // the new one took the freed one's room
    CInstanceList::ShutDown();
    EXPECT_EQ(InUse(), empty);
    EXPECT_EQ(InstanceListEnabled, 0);
}

using InstanceListDeathTest = InstanceListTest;

TEST_F(InstanceListDeathTest, AnIndexPastTheCountIsFatal) {
    CGameData* game = LoadInstances({Object("ONE", kInView)});
    ASSERT_NE(game, nullptr);
    report_.reset();
    EXPECT_DEATH(game->GetInstance(1), "Instance out of range!");
}

}  // namespace
