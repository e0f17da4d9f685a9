// Scene-light instances of a level become point lights of the colour their name
// carries while they are active; the engine's cold reset registers the handler.
#include <gtest/gtest.h>

#include "orblib47/source/InstanceInternal.h"
#include "orblib47/source/SceneLight.h"
#include "tests/support/GameFixture.h"

namespace {

using InstanceSceneLightTest = GameFixture;

TEST_F(InstanceSceneLightTest, LampsLightWhileActive) {
    struct Case {
        const char* name;
        s32 created;
        f32 r, g, b;
    };
    const Case cases[] = {
        {"LAMP_FF8000", 1, 1.0f, 128.0f / 255.0f, 0.0f},
        {"LAMP_0000FF", 1, 0.0f, 0.0f, 1.0f},
        {"CRATE", 0, 0.0f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s_INSTANCE instance{};
        instance.type = INSTANCE_TYPE_INSTANCE_SCENE_LIGHT;
        instance.name = c.name;
        instance.pos = {1.0f, 2.0f, 3.0f, 0.0f};
        instance.radius = 4.0f;
        const s32 before = NumSceneLights;
        ASSERT_EQ(InstanceSendEvent(&instance, INSTANCE_EVENT_CREATE, nullptr), c.created);
        EXPECT_EQ(NumSceneLights, before + c.created);
        if (!c.created)
            continue;
        const scene_light& light = *static_cast<scene_light*>(instance.record);
        EXPECT_EQ(light.type, SCENE_LIGHT_POINT);
        EXPECT_EQ(light.position.z, 3.0f);
        EXPECT_EQ(light.radius, 4.0f);
        EXPECT_FLOAT_EQ(light.diffuse.x, c.r);
        EXPECT_FLOAT_EQ(light.diffuse.y, c.g);
        EXPECT_FLOAT_EQ(light.diffuse.z, c.b);
        EXPECT_EQ(InstanceSendEvent(&instance, INSTANCE_EVENT_REMOVE, nullptr), 1);
        EXPECT_EQ(NumSceneLights, before);
    }
}

}  // namespace
