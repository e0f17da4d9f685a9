#include "source/InstanceSceneLight.h"

#include <cstdlib>
#include <cstring>

#include "orblib47/source/Instance.h"
#include "orblib47/source/SceneLight.h"
#include "source/Levels/AlleyLayout.h"

namespace {

constexpr s32 kLampPriority = 32767;
constexpr f32 kLampFade = 1.0f;  // light falls as 1 / (fade x distance)

s32 SceneLightInstance(s_INSTANCE* instance, e_INSTANCE_EVENT_TYPE event, void*) {
    if (event == INSTANCE_EVENT_CREATE) {
        const size_t prefix = std::strlen(ALLEY_LAMP_PREFIX);
        if (instance->name == nullptr || std::strncmp(instance->name, ALLEY_LAMP_PREFIX, prefix) != 0)
            return 0;
        const u32 rgb = u32(std::strtoul(instance->name + prefix, nullptr, 16)) & 0xFFFFFFu;
        const s_Vector4 colour = {f32(rgb >> 16) / 255.0f, f32((rgb >> 8) & 0xFF) / 255.0f,
                                  f32(rgb & 0xFF) / 255.0f, 1.0f};
        instance->record =
            SceneLightsAddPoint(&instance->pos, &colour, instance->radius, kLampFade, kLampPriority);
        return instance->record != nullptr ? 1 : 0;
    }
    if (event == INSTANCE_EVENT_REMOVE) {
        SceneLightsFree(static_cast<scene_light*>(instance->record));
        instance->record = nullptr;
        return 1;
    }
    return 0;
}

}  // namespace

s32 CInstanceSceneLight::ColdReset() {
    CInstanceList::RegisterFunc(INSTANCE_TYPE_INSTANCE_SCENE_LIGHT, SceneLightInstance);
    return 0;
}
