// The choice of the lights that reach a position, nearest first.
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/SceneLightInternal.h"

namespace {

constexpr f32 kUnmeasuredDistance = 1000000.0f;
constexpr f32 kOnLightDistance = 0.1f;
constexpr s32 kMeasuredPointLights = 2;
constexpr s32 kMeasuredSpotLights = 1;
constexpr u32 kTypeMask = 31;

s_Vector3 Sub(const s_Vector3& a, const s_Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0.0f};
}

f32 Length(const s_Vector3& v) {
    s_Vector3 unit;
    return Vect3Normal(&unit, &v);
}

// Points the light's direction from `from` to pos and returns the distance; a
// position on the light counts as just below it.
f32 MeasureFrom(scene_light* light, const s_Vector3& from, const s_Vector3& pos) {
    const s_Vector3 offset = Sub(pos, from);
    const f32 length = Vect3Normal(&light->direction, &offset);
    if (length != 0.0f)
        return length;
    light->direction.y = -1.0f;
    return kOnLightDistance;
}

s_Vector3 NearestBarPoint(scene_light* light, const s_Vector3& pos) {
    const s_Vector3 offset = Sub(pos, light->position);
    const f32 t = offset.x * light->barDir.x + offset.y * light->barDir.y + offset.z * light->barDir.z;
    if (t < 0.0f) {
        light->barPosRatio = 0.0f;
        return light->position;
    }
    if (t >= light->barLength) {
        light->barPosRatio = 1.0f;
        return light->barEndPosition;
    }
    light->barPosRatio = t / light->barLength;
    const s_Vector3& d = light->barDir;
    return {light->position.x + d.x * t, light->position.y + d.y * t, light->position.z + d.z * t, 0.0f};
}

struct Measure {
    s32 points = 0;
    s32 spots = 0;

    f32 operator()(scene_light* light, const s_Vector3& pos) {
        switch (light->type) {
            case SCENE_LIGHT_DIR:
                return Length(Sub(pos, light->position));
            case SCENE_LIGHT_POINT:
                if (points == kMeasuredPointLights)
                    return kUnmeasuredDistance;
                ++points;
                return MeasureFrom(light, light->position, pos);
            case SCENE_LIGHT_SPOT:
                if (spots == kMeasuredSpotLights)
                    return kUnmeasuredDistance;
                ++spots;
                return Length(Sub(pos, light->position));
            case SCENE_LIGHT_PSEUDO_POINT:
                return MeasureFrom(light, light->position, pos);
            case SCENE_LIGHT_BAR:
                return MeasureFrom(light, NearestBarPoint(light, pos), pos);
        }
        return kUnmeasuredDistance;
    }
};

// Before the first entry strictly further away, so equal distances keep list
// order; the furthest entry makes room when the result is full.
void Insert(scene_light** slights, s32& count, scene_light* light) {
    s32 at = 0;
    while (at < count && slights[at]->distance <= light->distance)
        ++at;
    if (at == SCENE_LIGHT_MAX_LOCAL)
        return;
    if (count == SCENE_LIGHT_MAX_LOCAL)
        --count;
    for (s32 i = count; i > at; --i)
        slights[i] = slights[i - 1];
    slights[at] = light;
    ++count;
}

}  // namespace

s32 SceneLightsGetLocal(scene_light** slights, const s_Vector3* pos, u32 flags) {
    const u32 types = flags & kTypeMask;
    s32 count = 0;
    // First whatever its distance: its own distance stays 0, so no local light
    // sorts ahead of it.
    if (GlobalSceneLight != nullptr && (GlobalSceneLight->type & types) != 0)
        slights[count++] = GlobalSceneLight;
    Measure measure;
    for (scene_light* light = SceneLightList; light != nullptr; light = light->next) {
        if (light == GlobalSceneLight || (light->type & types) == 0)
            continue;
        const f32 distance = measure(light, *pos);
        if (distance > light->radius)
            continue;
        light->distance = distance;
        Insert(slights, count, light);
    }
    return count;
}
