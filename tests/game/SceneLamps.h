// Lamps of a level's game data for picture tests: scene-light instances named
// "LAMP_RRGGBB" become point lights of that colour reaching their radius, fading as
// 1 / distance.
#pragma once

#include <cstdlib>
#include <cstring>

#include "orblib47/source/Instance.h"
#include "orblib47/source/SceneLight.h"
#include "source/Levels/AlleyLayout.h"

inline s32 SceneLampInstance(s_INSTANCE* instance, e_INSTANCE_EVENT_TYPE event, void*) {
    constexpr s32 kLampPriority = 32767;
    constexpr f32 kLampFade = 1.0f;
    if (event == INSTANCE_EVENT_CREATE) {
        const size_t prefix = std::strlen(ALLEY_LAMP_PREFIX);
        if (std::strncmp(instance->name, ALLEY_LAMP_PREFIX, prefix) != 0)
            return 0;
        const u32 rgb = u32(std::strtoul(instance->name + prefix, nullptr, 16));
        const s_Vector4 colour = {f32(rgb >> 16) / 255, f32((rgb >> 8) & 0xFF) / 255, f32(rgb & 0xFF) / 255,
                                  1};
        instance->record =
            SceneLightsAddPoint(&instance->pos, &colour, instance->radius, kLampFade, kLampPriority);
        return instance->record != nullptr;
    }
    if (event == INSTANCE_EVENT_REMOVE) {
        SceneLightsFree(static_cast<scene_light*>(instance->record));
        instance->record = nullptr;
        return 1;
    }
    return 0;
}
