// Particle attributes: "PAT" chunks parsed into native records that the data
// registry owns and shares by name, private copies, and the default type's
// load-time values.
#include <cmath>
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/SpriteGroup.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

const s_partsys_type_def ParticleSystemTypes[PARTSYS_TYPE_COUNT] = {
    {DefaultParticleSystemLoad, DefaultParticleSystemFree, DefaultParticleEmitter, DefaultParticleUpdate,
     nullptr},
    {DefaultParticleSystemLoad, DefaultParticleSystemFree, DefaultParticleEmitter, DefaultParticleUpdate,
     nullptr},
    {DefaultParticleSystemLoad, DefaultParticleSystemFree, DefaultParticleEmitter, DefaultParticleUpdate,
     nullptr},
    {DefaultParticleSystemLoad, DefaultParticleSystemFree, DefaultParticleEmitter, DefaultParticleUpdate,
     nullptr},
    {DefaultParticleSystemLoad, DefaultParticleSystemFree, DefaultParticleEmitter, DefaultParticleUpdate,
     nullptr},
};

namespace {

constexpr const char* kType = "PAT";
constexpr u32 kMaxRate = TIME_6HZ;

void Refuse(const char* name, const char* why) {
    DEBUG_PRINT("ParticleSystemAttrLoad: %s: bad PAT chunk (%s)\n", DebugName(name).c_str(), why);
}

void ReadVector(ChunkCursor& in, s_Vector4* v) {
    in.F32(&v->x), in.F32(&v->y), in.F32(&v->z), in.F32(&v->w);
}

// Every float the record holds, for the finiteness check.
bool AllFinite(const s_PARTSYS_ATTR_DEFAULT& a) {
    const s_Vector4* vectors[] = {&a.area,       &a.colorStart, &a.colorMid, &a.colorEnd,
                                  &a.elemMinVel, &a.elemMaxVel, &a.magnetPos};
    for (const s_Vector4* v : vectors) {
        if (!std::isfinite(v->x) || !std::isfinite(v->y) || !std::isfinite(v->z) || !std::isfinite(v->w))
            return false;
    }
    const f32 floats[] = {
        a.maxAge,      a.elemStartTime, a.elemMaxAge,          a.depthOffset, a.userArgs[0],
        a.userArgs[1], a.userArgs[2],   a.userArgs[3],         a.userArgs[4], a.userArgs[5],
        a.magnetForce, a.elemSpeed,     a.elemSpeedMultiplier, a.elemSize,    a.elemSizeMultiplier,
        a.midTime,     a.gravity,       a.animCycles,          a.clipRadius};
    for (f32 value : floats) {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}

// The chunk's fields in order; the run-time slots (registry entry, sprite set,
// computed values) start empty whatever the file holds. False with `why` set when
// the record is unusable.
bool Parse(const u8* data, u32 size, s_PARTSYS_ATTR_DEFAULT* a, const char** why) {
    if (size < PARTSYS_ATTR_CHUNK_SIZE) {
        *why = "short";
        return false;
    }
    *a = {};
    ChunkCursor in(ChunkReader(data, size));
    u32 type = 0;
    s32 combine = 0;
    in.Skip(4);
    in.U32(&type);
    in.S32(&a->numElement);
    in.F32(&a->maxAge);
    in.F32(&a->elemStartTime);
    in.F32(&a->elemMaxAge);
    in.U32(&a->flags);
    in.U32(&a->updateRate);
    in.U32(&a->spriteType);
    in.S32(&combine);
    in.F32(&a->depthOffset);
    in.U32(&a->priority);
    in.S32(&a->dataId);
    in.Name(PARTSYS_SPRITE_NAME_LENGTH, a->spriteDef.name);
    in.Skip(4);
    for (f32& arg : a->userArgs)
        in.F32(&arg);
    ReadVector(in, &a->area);
    ReadVector(in, &a->colorStart);
    ReadVector(in, &a->colorMid);
    ReadVector(in, &a->colorEnd);
    in.Skip(16);
    ReadVector(in, &a->elemMinVel);
    ReadVector(in, &a->elemMaxVel);
    ReadVector(in, &a->magnetPos);
    in.F32(&a->magnetForce);
    in.Skip(4);
    in.F32(&a->elemSpeed);
    in.F32(&a->elemSpeedMultiplier);
    in.F32(&a->elemSize);
    in.F32(&a->elemSizeMultiplier);
    in.F32(&a->midTime);
    in.Skip(8);
    in.F32(&a->gravity);
    in.F32(&a->animCycles);
    in.F32(&a->clipRadius);
    // The type picks a row of the function table.
    if (type >= PARTSYS_TYPE_COUNT)
        *why = "type";
    else if (a->spriteType >= SPRITE_TYPE_COUNT)
        *why = "sprite type";
    else if (combine < 0 || combine >= DC_COMBINE_COUNT)
        *why = "combine mode";
    else if (a->updateRate < TIME_60HZ || a->updateRate > kMaxRate)
        *why = "update rate";
    else if (a->numElement < 0)
        *why = "element count";
    else if (!AllFinite(*a))
        *why = "value not finite";
    else
        *why = nullptr;
    a->flags &= ~PARTSYS_OWNER_FLAGS;
    a->type = e_PARTSYS_TYPE(type);
    a->combineMode = e_COMBINE_MODE(combine);
    return *why == nullptr;
}

s_PARTSYS_ATTR* Register(const char* name, void* data, u32 size) {
    auto* attr = static_cast<s_PARTSYS_ATTR_DEFAULT*>(
        HeapMalloc(sizeof(s_PARTSYS_ATTR_DEFAULT), __FILE_NAME__, __LINE__));
    const char* why = "out of memory";
    const bool parsed = attr != nullptr && Parse(static_cast<const u8*>(data), size, attr, &why);
    HeapMallocFree(data);
    if (!parsed) {
        Refuse(name, why);
        if (attr != nullptr)
            HeapMallocFree(attr);
        return nullptr;
    }
    s_DATA_ENTRY* entry = DataLoadRecord(name, kType, attr);  // frees the record when refused
    if (entry == nullptr)
        return nullptr;
    attr->dataEntry = entry;
    if (attr->spriteType >= SPRITE_TYPE_PARTICLE)
        attr->spriteDef.spriteset = SpriteLoad(attr->spriteDef.name);
    ParticleSystemTypes[attr->type].loadFunc(attr);
    return attr;
}

// A private copy of the registered record; it holds no reference of its own.
s_PARTSYS_ATTR* Copy(const char* name) {
    const s_PARTSYS_ATTR* shared = ParticleSystemAttrFind(name);
    if (shared == nullptr)
        return nullptr;
    MemTypePush("MEM_PART_ATTR");
    auto* copy = static_cast<s_PARTSYS_ATTR_DEFAULT*>(
        HeapMalloc(sizeof(s_PARTSYS_ATTR_DEFAULT), __FILE_NAME__, __LINE__));
    MemTypePop();
    if (copy == nullptr)
        return nullptr;
    *copy = *static_cast<const s_PARTSYS_ATTR_DEFAULT*>(shared);
    copy->dataEntry = nullptr;
    return copy;
}

}  // namespace

s_PARTSYS_ATTR* ParticleSystemAttrLoad(const char* name, void* data, u32 size, u32 flags) {
    if ((flags & PARTSYS_INSTANCE_ATTR) != 0) {
        if (data != nullptr)
            HeapMallocFree(data);
        return Copy(name);
    }
    bool registered = false;
    auto* attr = static_cast<s_PARTSYS_ATTR*>(DataShareLoaded(name, kType, data, &registered));
    if (registered || data == nullptr)
        return attr;
    if (name == nullptr) {
        HeapMallocFree(data);
        return nullptr;
    }
    return Register(name, data, size);
}

s_PARTSYS_ATTR* ParticleSystemAttrFind(const char* name) {
    const s_DATA_ENTRY* entry = name != nullptr ? DataFindEntry(name, kType) : nullptr;
    return entry != nullptr ? static_cast<s_PARTSYS_ATTR*>(entry->record) : nullptr;
}

void ParticleSystemAttrFree(s_PARTSYS_ATTR* attr) {
    if (attr == nullptr)
        return;
    if (DataRemoveCheck(attr->dataEntry)) {
        ParticleSystemTypes[attr->type].freeFunc(attr);
        SpriteFree(attr->spriteDef.spriteset);
        attr->spriteDef.spriteset = nullptr;
    }
    DataRemove(attr->dataEntry);
}

s32 DefaultParticleSystemLoad(s_PARTSYS_ATTR* base) {
    auto* a = static_cast<s_PARTSYS_ATTR_DEFAULT*>(base);
    a->elemMaxAgeRecip = a->elemMaxAge > 0.0f ? 1.0f / a->elemMaxAge : 1.0f;
    a->flags |= PARTSYS_UPDATE_COLOR;
    a->flags = (a->flags & ~PARTSYS_STATIONARY) |
               ((a->flags & PARTSYS_USE_LOCAL_POSITION) != 0 ? PARTSYS_STATIONARY : 0);
    if (a->animCycles != 0.0f)
        a->flags |= PARTSYS_UPDATE_DATA;
    if (a->midTime >= 1.0f)
        a->midTime = 0.99f;
    // Without a life there is no middle to divide by.
    if (a->elemMaxAge <= 0.0f)
        a->midTime = 0.0f;
    if (a->midTime > 0.0f) {
        a->midTime *= a->elemMaxAge;
        a->midTimeRecip = 1.0f / a->midTime;
        a->endTimeRecip = 1.0f / (a->elemMaxAge - a->midTime);
        a->colorDelta = {a->colorMid.x - a->colorStart.x, a->colorMid.y - a->colorStart.y,
                         a->colorMid.z - a->colorStart.z, a->colorMid.w - a->colorStart.w};
    } else {
        a->colorDelta = {a->colorEnd.x - a->colorStart.x, a->colorEnd.y - a->colorStart.y,
                         a->colorEnd.z - a->colorStart.z, a->colorEnd.w - a->colorStart.w};
    }
    return 1;
}

s32 DefaultParticleSystemFree(s_PARTSYS_ATTR*) {
    return 1;
}

void* WadLoadParticleAttr(s_wad_header* header, void* payload) {
    return ParticleSystemAttrLoad(header->name, payload, header->size, header->flags);
}

void WadFreeParticleAttr(void* data) {
    ParticleSystemAttrFree(static_cast<s_PARTSYS_ATTR*>(data));
}
