// Texture-projector instances of a level become projectors of the manager while
// they are active, lighting the level's polygons about them with the texture their
// name gives; the engine's cold reset registers the handler. The demo alley places
// its spots so.
#include <gtest/gtest.h>

#include <cstring>

#include "orblib47/source/Collision.h"
#include "orblib47/source/GameData.h"
#include "orblib47/source/InstanceInternal.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Texture.h"
#include "source/TextureProject.h"
#include "tests/support/DemoAlleyArchives.h"
#include "tests/support/GameFixture.h"

namespace {

class InstanceTextureProjectTest : public DemoDiscFixture {
protected:
    void SetUp() override {
        DemoDiscFixture::SetUp();
        ASSERT_TRUE(archives_.Load());
        CollisionWorldModel = ModelLoad(ALLEY_SCENE, nullptr, 0);
        ASSERT_EQ(ProjectorWarmReset(), 1);
    }
    void TearDown() override {
        ProjectorShutdownThreads();
        ProjectorShutdownMemory();
        ModelFree(CollisionWorldModel);
        CollisionWorldModel = nullptr;
        archives_.Free();
        DemoDiscFixture::TearDown();
    }
    DemoAlleyArchives archives_;
};

TEST_F(InstanceTextureProjectTest, SpotsProjectTheirTextureOntoThePolygonsAboutThemWhileActive) {
    const CGameData* alley = GameDataLoad(ALLEY_SCENE, nullptr, 0);
    ASSERT_NE(alley, nullptr);
    const s_INSTANCE_LIST& list = alley->m_Header->instanceHeader;
    s32 spots = 0;
    for (s32 i = 0; i < list.numInstance; ++i) {
        s_INSTANCE instance = list.instanceList[i];
        if (instance.type != INSTANCE_TYPE_INSTANCE_TEXTURE_PROJECT)
            continue;
        ++spots;
        instance.record = nullptr;
        ASSERT_EQ(InstanceSendEvent(&instance, INSTANCE_EVENT_CREATE, nullptr), 1);
        ASSERT_NE(ProjectorHeaderRecords->next, nullptr);
        auto* projector = static_cast<CTextureProject*>(
            static_cast<s_projector_list*>(ProjectorHeaderRecords->next)->projectorObject);
        EXPECT_EQ(projector->texture, TextureFind(ALLEY_SPOT_TEXTURE));
        EXPECT_EQ(projector->light.position.y, instance.pos.y);
        EXPECT_LT(projector->light.direction.y, -0.99f);  // straight down
        EXPECT_EQ(projector->locals.projectorRadius, instance.radius);
        ASSERT_NE(projector->cache, nullptr);
        EXPECT_GT(projector->cache->count, 0);  // the floor below it
        EXPECT_EQ(InstanceSendEvent(&instance, INSTANCE_EVENT_REMOVE, nullptr), 1);
        EXPECT_EQ(ProjectorHeaderRecords->next, nullptr);
    }
    EXPECT_EQ(spots, 2);

    s_INSTANCE unknown{};
    unknown.type = INSTANCE_TYPE_INSTANCE_TEXTURE_PROJECT;
    unknown.name = "NOSUCHTEX";
    unknown.radius = 1.0f;
    EXPECT_EQ(InstanceSendEvent(&unknown, INSTANCE_EVENT_CREATE, nullptr), 0);
    EXPECT_TRUE(report().contains("CInstanceTextureProject: no texture \"NOSUCHTEX\" to project\n"));
    EXPECT_EQ(ProjectorHeaderRecords->next, nullptr);
    GameDataFree(const_cast<CGameData*>(alley));
}

}  // namespace
