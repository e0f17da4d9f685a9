// The default particle type: emission in a box with a random velocity, simple
// forces, colour over life in one or two ramps, and sprite animation.
#include <cmath>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/ParticleSystemInternal.h"
#include "orblib47/source/Sprite.h"

namespace {

constexpr f32 kLineMin = 0.0001f;

const s_PARTSYS_ATTR_DEFAULT& Attr(const s_particle_system* psys) {
    return *static_cast<const s_PARTSYS_ATTR_DEFAULT*>(psys->attr);
}

e_SPRITE_TYPE Type(const s_particle_system* psys) {
    return e_SPRITE_TYPE(psys->attr->spriteType);
}

f32 Lerp(f32 a, f32 b, f32 t) {
    return a + (b - a) * t;
}

void SetSize(void* sprite, e_SPRITE_TYPE type, f32 size) {
    const s_Vector2 both{size, size};
    SpriteGroupSetElementSize(sprite, type, &both);
}

f32 Length(const s_Vector3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

}  // namespace

f32 ParticleRandom() {
    return f32(OrbRand()) / 2147483648.0f;
}

void ParticleSetElementColor(void* sprite, e_SPRITE_TYPE type, const s_Vector4* color) {
    const s_Vector4 ends[2] = {*color, *color};
    SpriteGroupSetElementColor(sprite, type, ends);
}

void ParticleSetElementPos(void* sprite, e_SPRITE_TYPE type, const s_Vector3* pos) {
    const s_Vector3 ends[2] = {*pos, *pos};
    SpriteGroupSetElementPos(sprite, type, ends);
}

s32 DefaultParticleEmitter(s_particle_system* psys, s_partsys_elem* elem, void* sprite) {
    const s_PARTSYS_ATTR_DEFAULT& a = Attr(psys);
    elem->size = a.elemSize;
    s_Vector3 v{};
    v.x = Lerp(a.elemMinVel.x, a.elemMaxVel.x, ParticleRandom());
    v.y = Lerp(a.elemMinVel.y, a.elemMaxVel.y, ParticleRandom());
    v.z = Lerp(a.elemMinVel.z, a.elemMaxVel.z, ParticleRandom());
    const f32 speed = a.elemSpeed + a.elemSpeed * (0.25f * ParticleRandom() - 0.125f);
    v = {v.x * speed, v.y * speed, v.z * speed, 0.0f};
    if (psys->matrix != nullptr)
        Matrix4RotPoints(psys->matrix, &v, &v, 1);
    v.x += psys->externalForce.x * ParticleRandom();
    v.y += psys->externalForce.y * ParticleRandom();
    v.z += psys->externalForce.z * ParticleRandom();
    elem->velocity = v;
    s_Vector3 p{};
    p.x = (2.0f * ParticleRandom() - 1.0f) * a.area.x;
    p.y = (2.0f * ParticleRandom() - 1.0f) * a.area.y;
    p.z = (2.0f * ParticleRandom() - 1.0f) * a.area.z;
    if (psys->matrix != nullptr)
        Matrix4RotPoints(psys->matrix, &p, &p, 1);
    if ((psys->flags & PARTSYS_STATIONARY) == 0)
        p = {p.x + psys->pos.x, p.y + psys->pos.y, p.z + psys->pos.z, 0.0f};
    elem->pos = elem->lastPos = p;
    const e_SPRITE_TYPE type = Type(psys);
    ParticleSetElementPos(sprite, type, &p);
    SetSize(sprite, type, elem->size);
    DefaultParticleUpdateColor(psys, elem, sprite);
    SpriteGroupSetElementSprite(sprite, type, a.spriteDef.spriteset, a.dataId);
    return 1;
}

s32 DefaultParticleUpdate(s_particle_system* psys, s_partsys_elem* elem, void* sprite) {
    const s_PARTSYS_ATTR_DEFAULT& a = Attr(psys);
    const f32 dt = DeltaTime;
    s_Vector3& v = elem->velocity;
    elem->lastPos = elem->pos;
    elem->pos = {elem->pos.x + v.x * dt, elem->pos.y + v.y * dt, elem->pos.z + v.z * dt, 0.0f};
    const f32 k = (a.elemSpeedMultiplier - 1.0f) * dt;
    v.x += v.x * k;
    v.y += v.y * k + a.gravity * dt;
    v.z += v.z * k;
    if (psys->magnetForce != 0.0f) {
        s_Vector3 d = psys->magnetPos;
        if ((psys->flags & PARTSYS_STATIONARY) == 0)
            d = {d.x + psys->pos.x, d.y + psys->pos.y, d.z + psys->pos.z, 0.0f};
        d = {d.x - elem->pos.x, d.y - elem->pos.y, d.z - elem->pos.z, 0.0f};
        Vect3Normal(&d, &d);
        const f32 pull = psys->magnetForce * dt;
        v = {v.x + d.x * pull, v.y + d.y * pull, v.z + d.z * pull, 0.0f};
    }
    elem->size += elem->size * (a.elemSizeMultiplier - 1.0f) * dt;
    if ((psys->flags & PARTSYS_UPDATE_COLOR) != 0)
        DefaultParticleUpdateColor(psys, elem, sprite);
    const e_SPRITE_TYPE type = Type(psys);
    if (type == SPRITE_TYPE_LINE) {
        const s_Vector3 move{elem->pos.x - elem->lastPos.x, elem->pos.y - elem->lastPos.y,
                             elem->pos.z - elem->lastPos.z, 0.0f};
        const f32 moved = Length(move);
        s_Vector3 ends[2] = {elem->pos, elem->lastPos};
        if (elem->size > kLineMin && moved > kLineMin) {
            const f32 s = elem->size / moved;
            ends[1] = {elem->pos.x + move.x * s, elem->pos.y + move.y * s, elem->pos.z + move.z * s, 0.0f};
        } else if (elem->size > kLineMin) {
            ends[1] = elem->pos;
        }
        SpriteGroupSetElementPos(sprite, type, ends);
        return 1;
    }
    if ((psys->flags & PARTSYS_UPDATE_DATA) != 0 && type >= SPRITE_TYPE_PARTICLE)
        DefaultParticleUpdateSprite(psys, elem, sprite);
    SpriteGroupSetElementPos(sprite, type, &elem->pos);
    SetSize(sprite, type, elem->size);
    return 1;
}

void DefaultParticleUpdateColor(s_particle_system* psys, s_partsys_elem* elem, void* sprite) {
    const s_PARTSYS_ATTR_DEFAULT& a = Attr(psys);
    s_Vector4 from = a.colorStart;
    s_Vector4 slope = a.colorDelta;
    f32 t = elem->age * a.elemMaxAgeRecip;
    if (a.midTime > 0.0f && elem->age < a.midTime) {
        t = elem->age * a.midTimeRecip;
    } else if (a.midTime > 0.0f) {
        from = a.colorMid;
        slope = {a.colorEnd.x - a.colorMid.x, a.colorEnd.y - a.colorMid.y, a.colorEnd.z - a.colorMid.z,
                 a.colorEnd.w - a.colorMid.w};
        t = (elem->age - a.midTime) * a.endTimeRecip;
    }
    const s_Vector4& tint = psys->color;
    const s_Vector4 c{(from.x + slope.x * t) * tint.x, (from.y + slope.y * t) * tint.y,
                      (from.z + slope.z * t) * tint.z, (from.w + slope.w * t) * tint.w};
    ParticleSetElementColor(sprite, Type(psys), &c);
}

void DefaultParticleUpdateSprite(s_particle_system* psys, s_partsys_elem* elem, void* sprite) {
    const s_PARTSYS_ATTR_DEFAULT& a = Attr(psys);
    const s_sprite_set* set = a.spriteDef.spriteset;
    if (set == nullptr)
        return;
    const e_SPRITE_TYPE type = Type(psys);
    s32 n = set->numSprite;
    if (type == SPRITE_TYPE_SPRITE4)
        n = set->numAnimation > 0 ? set->animations[0].numFrame : 0;
    // A set without frames has nothing to animate (and nothing to take a modulo by).
    if (n <= 0)
        return;
    const double x = std::trunc(double(a.animCycles) * a.elemMaxAgeRecip * elem->age * n);
    const double frame = std::isfinite(x) ? std::fmod(x, double(n)) : 0.0;
    SpriteGroupSetElementSprite(sprite, type, set, frame >= 0.0 ? s32(frame) : 0);
}
