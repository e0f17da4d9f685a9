#include "source/InstanceTextureProject.h"

#include "orblib47/source/Collision.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/Texture.h"
#include "source/TextureProject.h"

namespace {

constexpr f32 kSpotAngle = 50.0f;  // degrees off its axis
constexpr f32 kIntensity = 0.45f;
constexpr s32 kLitPolygons = 255;  // the largest cache

struct LevelProjector {
    CTextureProject projector;
    s_projector_list* record = nullptr;
};

void Free(LevelProjector* level) {
    ProjectorFree(level->record);
    PolyCollideCacheFree(level->projector.cache);
    TextureFree(level->projector.texture);
    delete level;
}

LevelProjector* Create(const s_INSTANCE& instance) {
    s_texture* texture = instance.name != nullptr ? TextureLoad(instance.name) : nullptr;
    if (texture == nullptr) {
        DEBUG_PRINT("CInstanceTextureProject: no texture \"%s\" to project\n",
                    instance.name != nullptr ? instance.name : "");
        return nullptr;
    }
    auto* level = new LevelProjector;
    CTextureProject& p = level->projector;
    p.texture = texture;
    p.cache = PolyCollideCacheAllocSize(kLitPolygons);
    if (p.cache != nullptr) {
        const f32 r = instance.radius;
        const s_Vector3 box[2] = {{-r, -r, -r, 0.0f}, {r, r, r, 0.0f}};
        PolyCollideCacheSetup(p.cache, &box[0], &box[1]);
        PolyCollideCacheSphere(p.cache, &instance.pos, r);
    }
    s_Matrix4 turn;
    QuatToMatrix4(&turn, &instance.quat);
    const s_Vector3 down = {0.0f, -1.0f, 0.0f, 0.0f};
    s_Vector3 direction;
    Matrix4RotPoints(&turn, &direction, &down, 1);
    p.light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    p.light.position = {instance.pos.x, instance.pos.y, instance.pos.z, 1.0f};
    p.light.direction = {direction.x, direction.y, direction.z, 0.0f};
    p.light.intensity = kIntensity;
    p.light.angle = kSpotAngle;
    p.locals.projectorCenter = instance.pos;
    p.locals.projectorRadius = instance.radius;
    level->record = ProjectorAlloc(&p);
    if (p.cache == nullptr || level->record == nullptr) {
        DEBUG_PRINT("CInstanceTextureProject: no room for the projector \"%s\"\n", instance.name);
        Free(level);
        return nullptr;
    }
    return level;
}

s32 TextureProjectInstance(s_INSTANCE* instance, e_INSTANCE_EVENT_TYPE event, void*) {
    if (event == INSTANCE_EVENT_CREATE) {
        instance->record = Create(*instance);
        return instance->record != nullptr ? 1 : 0;
    }
    if (event == INSTANCE_EVENT_REMOVE) {
        Free(static_cast<LevelProjector*>(instance->record));
        instance->record = nullptr;
        return 1;
    }
    return 0;
}

}  // namespace

s32 CInstanceTextureProject::ColdReset() {
    CInstanceList::RegisterFunc(INSTANCE_TYPE_INSTANCE_TEXTURE_PROJECT, TextureProjectInstance);
    return 0;
}
