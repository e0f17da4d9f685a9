#include "orblib47/source/PhysicsParticles.h"

#include <cmath>

#include "orblib47/source/Collision.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/ParticleSystemInternal.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/SoundTag.h"
#include "orblib47/source/SpatialSfx.h"
#include "orblib47/source/Sprite.h"

s_linked_list PhysicsParticlesGroups = {};

namespace {

constexpr u32 kUpdatePriority = 6100;
constexpr u32 kRenderPriority = 6099;
constexpr u32 kPhases = 3;
constexpr f32 kLift = 0.01f;  // off the polygon after a bounce

u8 updateGroup = 0;  // the phase whose elements handle their impacts this frame

s_sprite_group* NextBlock(s_sprite_group* block) {
    return reinterpret_cast<s_sprite_group*>(block->group.next);
}

s_sprite& Sprite(s_physics_particles_group* group, s32 index) {
    s_sprite_group* block = group->spriteGroup;
    for (s32 b = index / SPRITE_GROUP_ELEMENTS; b > 0; --b)
        block = NextBlock(block);
    return block->element[index % SPRITE_GROUP_ELEMENTS];
}

s_Vector3 Add(const s_Vector3& a, const s_Vector3& b, f32 scale) {
    return {a.x + b.x * scale, a.y + b.y * scale, a.z + b.z * scale, 0.0f};
}

// The next impact on a shadow-receiving polygon of the group's cache.
void Predict(const s_physics_particles_group* group, s_physics_particles_elem& e) {
    e.flags &= ~(PHYSICS_PARTICLE_COLLISION_VALID | PHYSICS_PARTICLE_COLLISION_HORIZONTAL);
    if (group->cache == nullptr)
        return;
    PolyCollideStart(nullptr);
    const s_collision_list* hits = PolyCollideCheckTrajectory(group->cache, &e.position, &e.velocity,
                                                              &e.acceleration, 0, COLLISION_SHADOW_OBS);
    if (hits->count == 0)
        return;
    const s_collision_result& hit = hits->result[0];
    e.collisionPoint = hit.movement;
    e.collisionNormal = hit.cachePoly->normal;
    e.collisionTime = hit.distance;
    e.flags |= PHYSICS_PARTICLE_COLLISION_VALID;
    if ((hit.cachePoly->flags & COLLISION_AXIS_Y) != 0)
        e.flags |= PHYSICS_PARTICLE_COLLISION_HORIZONTAL;
}

// The bounce sound at the element, at the element's next volume.
void Sound(const s_physics_particles_group* group, s_physics_particles_elem& e) {
    e.maxVol *= 0.5f;
    e.channel = SoundTagStart(group->collideSoundTag, -1, &e.position);
    if (e.channel < 0 || e.channel >= AUDIO_CHANNEL_COUNT)
        return;
    if (s_spatial_sfx* record = SpatialSfxGet(e.channel)) {
        SpatialSfxSetUpdatePosition(record, &e.position);
        record->maxVol = e.maxVol;
    }
    if ((group->collideSoundTag->flags & AUDIO_PLAY_DISABLE_PITCH_OFFSET) == 0)
        SfxSetPitch(e.channel, SfxGetPitch(e.channel) + SfxPitchOffset);
}

void Bounce(const s_physics_particles_group* group, s_physics_particles_elem& e) {
    e.position = Add(e.collisionPoint, e.collisionNormal, kLift);
    const s_Vector3& n = e.collisionNormal;
    const f32 along = e.velocity.x * n.x + e.velocity.y * n.y + e.velocity.z * n.z;
    e.velocity = Add(e.velocity, n, -2.0f * along);
    e.velocity = {e.velocity.x * 0.5f, e.velocity.y * 0.5f, e.velocity.z * 0.5f, 0.0f};
    if ((e.flags & PHYSICS_PARTICLE_COLLISION_HORIZONTAL) != 0 && e.velocity.y < MIN_VELOCITY_Y) {
        e.flags |= PHYSICS_PARTICLE_NOT_MOVING;
        e.position = e.collisionPoint;
    }
    Predict(group, e);
    if (group->collideSoundTag != nullptr)
        Sound(group, e);
    e.animSpeed = 1.0f + 59.0f * ParticleRandom();
}

// True while the element lives.
bool Step(s_physics_particles_group* group, s_physics_particles_elem& e, s_sprite& sprite, f32 dt) {
    const f32 maxAge = group->elemMaxAge;
    if (e.age >= maxAge)
        return false;
    e.age = e.age + dt < maxAge ? e.age + dt : maxAge;
    sprite.rgba.w = e.alpha * (1.0f - e.age / maxAge);
    if ((e.flags & PHYSICS_PARTICLE_NOT_MOVING) != 0)
        return true;
    e.velocity = Add(e.velocity, e.acceleration, dt);
    e.position = Add(e.position, e.velocity, dt);
    if ((e.flags & PHYSICS_PARTICLE_COLLISION_VALID) != 0) {
        e.collisionTime -= dt;
        if (e.collisionTime <= 0.0f && e.updateGroup == updateGroup)
            Bounce(group, e);
    }
    sprite.coord = e.position;
    const s_sprite_set* set = group->spriteSet;
    // A set without cells has no frame to show.
    if (set != nullptr && set->numSprite > 0) {
        const f32 frames = std::trunc(e.age * e.animSpeed);
        const s32 frame = std::isfinite(frames) ? s32(std::fmod(frames, f32(set->numSprite))) : 0;
        SpriteGroupSetElementSprite(&sprite, SPRITE_TYPE_SPRITE, set, frame);
    }
    return true;
}

void Update(s_physics_particles_group* group, f32 dt) {
    bool alive = false;
    for (s32 i = 0; i < group->numElement; ++i)
        alive |= Step(group, group->elements[i], Sprite(group, i), dt);
    if (!alive && (group->flags & PHYSICS_PARTICLES_STOP_ME) != 0)
        PhysicsParticlesGroupFree(group);
}

}  // namespace

s32 PhysicsParticlesWarmReset() {
    PhysicsParticlesGroups = {};
    updateGroup = 0;
    ThreadInsertPriorityDebug("PhysicsParticlesUpdateThread", nullptr, nullptr, PhysicsParticlesUpdateThread,
                              nullptr, kUpdatePriority);
    ThreadInsertPriorityDebug("PhysicsParticlesRenderThread", nullptr, nullptr, PhysicsParticlesRenderThread,
                              nullptr, kRenderPriority);
    return 1;
}

s_physics_particles_group* PhysicsParticlesGroupAlloc(s_sprite_set* set, s32 numElement, f32 elemMaxAge,
                                                      s_collision_cache* cache, s_SOUND_TAG_DEFAULT* tag) {
    if (numElement <= 0 || !(elemMaxAge > 0.0f))
        return nullptr;
    const u64 bytes = sizeof(s_physics_particles_group) + u64(numElement) * sizeof(s_physics_particles_elem);
    if (bytes > 0xFFFFFFFFu)
        return nullptr;
    s_sprite_group* sprites = SpriteAllocSpriteGroup(numElement);
    if (sprites == nullptr)
        return nullptr;
    auto* group = static_cast<s_physics_particles_group*>(HeapCalloc(1, u32(bytes), __FILE_NAME__, __LINE__));
    if (group == nullptr) {
        HeapMallocFree(sprites);
        return nullptr;
    }
    group->numElement = numElement;
    group->color = {1.0f, 1.0f, 1.0f, 1.0f};
    group->elemMaxAge = elemMaxAge;
    group->animSpeed = 10.0f;
    group->cache = cache;
    group->spriteGroup = sprites;
    group->spriteSet = set;
    group->collideSoundTag = tag;
    group->elements = reinterpret_cast<s_physics_particles_elem*>(group + 1);
    s32 left = numElement;
    for (s_sprite_group* block = sprites; block != nullptr; block = NextBlock(block)) {
        block->group.flags |= SPRITE_GROUP_ALPHA;
        block->header.count = left < SPRITE_GROUP_ELEMENTS ? left : SPRITE_GROUP_ELEMENTS;
        left -= block->header.count;
        SpriteInitGroup(&block->group, set, 0);
        SpriteGroupSetCombineMode(&block->group, DC_COMBINE_ALPHA);
    }
    for (s32 i = 0; i < numElement; ++i) {
        group->elements[i].age = elemMaxAge;  // not yet launched
        group->elements[i].channel = -1;
    }
    RecordAppendList(&PhysicsParticlesGroups, group);
    return group;
}

void PhysicsParticlesGroupFree(s_physics_particles_group* group) {
    if (group == nullptr)
        return;
    // A bounce sound still playing keeps the last place it was given.
    for (s32 i = 0; i < group->numElement; ++i) {
        const s_physics_particles_elem& e = group->elements[i];
        s_spatial_sfx* record = e.channel >= 0 ? SpatialSfxGet(e.channel) : nullptr;
        if (record != nullptr && record->updatePos == &e.position) {
            record->pos = e.position;
            record->updatePos = nullptr;
        }
    }
    SpriteGroupFree(&group->spriteGroup->group);
    RecordRemoveList(group);
    HeapMallocFree(group);
}

s32 PhysicsParticlesLaunch(s_physics_particles_group* group, const s_Vector3* position,
                           const s_Vector3* velocity, const s_Vector3* acceleration, f32 radius, f32 maxVol) {
    const s32 index = group->elemIndex;
    group->elemIndex = (index + 1) % group->numElement;
    s_physics_particles_elem& e = group->elements[index];
    e = {};
    e.position = *position;
    e.velocity = *velocity;
    e.acceleration = *acceleration;
    e.radius = radius;
    e.alpha = group->color.w;
    e.maxVol = maxVol;
    e.animSpeed = group->animSpeed;
    e.channel = -1;
    e.updateGroup = u8(index % kPhases);
    Predict(group, e);
    s_sprite& sprite = Sprite(group, index);
    sprite.coord = *position;
    sprite.rgba = group->color;
    const s_Vector2 size{2.0f * radius, 2.0f * radius};
    SpriteGroupSetElementSize(&sprite, SPRITE_TYPE_SPRITE, &size);
    SpriteGroupSetElementSprite(&sprite, SPRITE_TYPE_SPRITE, group->spriteSet, 0);
    return index;
}

void PhysicsParticlesUpdateThread(s_thread*, void*) {
    if (GamePaused() != 0)
        return;
    updateGroup = u8((updateGroup + 1) % kPhases);
    const s32 selected = OrbRandSetList(kParticleRandomList);
    for (s_linked_list* node = PhysicsParticlesGroups.next; node != nullptr;) {
        s_linked_list* next = node->next;
        Update(static_cast<s_physics_particles_group*>(node), DeltaTime);
        node = next;
    }
    OrbRandSetList(selected);
}

void PhysicsParticlesRenderThread(s_thread*, void*) {
    const s_Vector3 origin{};
    for (s_linked_list* node = PhysicsParticlesGroups.next; node != nullptr; node = node->next) {
        auto* group = static_cast<s_physics_particles_group*>(node);
        for (s_sprite_group* block = group->spriteGroup; block != nullptr; block = NextBlock(block))
            SpriteGroupDraw(&block->group, &origin);
    }
}
