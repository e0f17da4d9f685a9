#include "orblib47/source/ParticleSystem.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawSort.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/ParticleSystemInternal.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/SpriteGroup.h"

s_linked_list ParticleSystemList = {};
s32 ParticleSystemRenderDisable = 0;

namespace {

constexpr u32 kUpdatePriority = 6100;
constexpr u32 kRenderPriority = 6099;
constexpr u32 kListPriority = 65535;
// Sprite-group flags of the frame distortions.
constexpr u32 kGroupWarp = 0x80;
constexpr u32 kGroupBack = 0x40;

s_particle_system* NextSystem(s_linked_list* node) {
    return static_cast<s_particle_system*>(node);
}

u32 GroupFlags(u32 flags) {
    u32 group = SPRITE_GROUP_ALPHA;
    if ((flags & PARTSYS_FRAME_DISTORT_OFF) == 0) {
        if ((flags & PARTSYS_FRAME_DISTORT_WARP) != 0)
            group |= kGroupWarp | SPRITE_GROUP_FRAME_BUFFER;
        else if ((flags & PARTSYS_FRAME_DISTORT_SCALE) != 0)
            group |= SPRITE_GROUP_FRAME_BUFFER;
        if ((flags & PARTSYS_FRAME_DISTORT_BACK) != 0)
            group |= kGroupBack;
    }
    if ((flags & PARTSYS_GLOW) != 0)
        group |= SPRITE_GROUP_FRAME_FILTER;
    return group;
}

// Each block draws only the elements it holds.
void InitGroups(s_particle_system* psys) {
    const s_PARTSYS_ATTR* attr = psys->attr;
    s32 left = psys->numElement;
    for (s_group_header* group = psys->spriteGroup; group != nullptr; group = group->next) {
        group->psysPtr = psys;
        if (attr->spriteDef.spriteset != nullptr)
            SpriteInitGroup(group, attr->spriteDef.spriteset, 0);
        group->flags |= GroupFlags(psys->flags);
        SpriteGroupSetCombineMode(group, attr->combineMode);
        SpriteGroupSetDepthOffset(group, attr->depthOffset);
        // Every block type starts its type header the same way.
        s_sprite_type_header* header = &reinterpret_cast<s_point_group*>(group)->header;
        header->count = left < SPRITE_GROUP_ELEMENTS ? left : SPRITE_GROUP_ELEMENTS;
        left -= header->count;
    }
}

bool Drawable(const s_PARTSYS_ATTR* attr) {
    return attr != nullptr && attr->spriteType != SPRITE_TYPE_NONE &&
           (attr->spriteType < SPRITE_TYPE_PARTICLE || attr->spriteDef.spriteset != nullptr);
}

// The record's values that a system copies when it starts.
void TakeAttr(s_particle_system* psys, s_PARTSYS_ATTR* attr) {
    psys->attr = attr;
    psys->priority = attr->priority;
    const auto* def = static_cast<const s_PARTSYS_ATTR_DEFAULT*>(attr);
    psys->magnetForce = def->magnetForce;
    psys->magnetPos = {def->magnetPos.x, def->magnetPos.y, def->magnetPos.z, 0.0f};
    const s_partsys_type_def& type = ParticleSystemTypes[attr->type];
    psys->emitterFunc = type.initFunc;
    psys->updateFunc = type.updateFunc;
    psys->renderFunc = type.renderFunc;
}

// A private copy is the system's own; a shared record loses a reference.
void ReleaseAttr(s_PARTSYS_ATTR* attr, u32 flags) {
    if ((flags & PARTSYS_INSTANCE_ATTR) == 0) {
        ParticleSystemAttrFree(attr);
        return;
    }
    if ((flags & PARTSYS_LOADED_DATA_SET) != 0)
        SpriteFree(attr->spriteDef.spriteset);
    HeapMallocFree(attr);
}

void FreeResources(s_particle_system* psys) {
    if ((psys->flags & PARTSYS_CLONE) == 0) {
        SpriteGroupFree(psys->spriteGroup);
        TimeSliceFree(&psys->timeSlice);
    }
    ReleaseAttr(psys->attr, psys->flags);
    RecordRemoveList(psys);
    HeapMallocFree(psys);
}

void Hide(s_particle_system* psys, void* sprite) {
    const s_Vector4 none{};
    ParticleSetElementColor(sprite, e_SPRITE_TYPE(psys->attr->spriteType), &none);
}

s32 Emit(s_particle_system* psys, s_partsys_elem* elem, void* sprite) {
    elem->age = 0.0f;
    return psys->emitterFunc(psys, elem, sprite) != 0 ? 1 : 0;
}

// One element's step; 1 when it counts as active.
s32 UpdateElement(s_particle_system* psys, s_partsys_elem* elem, void* sprite, f32 dt) {
    const s_PARTSYS_ATTR* attr = psys->attr;
    const bool stopping = (psys->flags & PARTSYS_STOP_ME) != 0;
    const f32 bornAge = elem->age;
    elem->age += dt;
    if ((psys->flags & PARTSYS_INIT) != 0 || elem->age > attr->elemMaxAge) {
        if (!stopping && (psys->flags & PARTSYS_INIT_SAME_AGE) != 0)
            return Emit(psys, elem, sprite);
        if (!stopping)
            elem->age = -(attr->elemStartTime * ParticleRandom()) - 0.00001f;
        Hide(psys, sprite);
        return 0;
    }
    if (bornAge < 0.0f) {
        if (stopping)
            elem->age = attr->elemMaxAge + 1.0f;
        else if (elem->age >= 0.0f)
            return Emit(psys, elem, sprite);
        return 0;
    }
    psys->updateFunc(psys, elem, sprite);
    return 1;
}

void Update(s_particle_system* psys) {
    const f32 dt = DeltaTime;
    psys->age += dt;
    if (psys->eventCallback != nullptr)
        psys->eventCallback(psys, psys->eventCallbackParm, PARTSYS_EVENT_UPDATE);
    if (dt > 0.0f) {
        psys->emitterVelocity = {(psys->pos.x - psys->lastPos.x) / dt, (psys->pos.y - psys->lastPos.y) / dt,
                                 (psys->pos.z - psys->lastPos.z) / dt, 0.0f};
    }
    psys->lastPos = psys->pos;
    s32 active = 0;
    s_group_header* group = psys->spriteGroup;
    for (s32 i = 0; i < psys->numElement; ++i) {
        if (i > 0 && i % SPRITE_GROUP_ELEMENTS == 0)
            group = group->next;
        active += UpdateElement(psys, &psys->elements[i],
                                SpriteGroupGetElement(group, i % SPRITE_GROUP_ELEMENTS), dt);
    }
    psys->lastPos = psys->pos;
    if ((psys->flags & PARTSYS_USE_MATRIX_POSITION) != 0 && psys->matrix != nullptr)
        psys->pos = {psys->matrix->at(0, 3), psys->matrix->at(1, 3), psys->matrix->at(2, 3), 0.0f};
    if ((psys->flags & (PARTSYS_ALWAYS_ON | PARTSYS_STOP_ME)) == 0 && psys->age > psys->attr->maxAge) {
        psys->flags |= PARTSYS_STOP_ME;
        if (psys->eventCallback != nullptr)
            psys->eventCallback(psys, psys->eventCallbackParm, PARTSYS_EVENT_STOP);
    }
    if ((psys->flags & PARTSYS_STOP_ME) != 0 && active == 0 && (psys->flags & PARTSYS_DONT_FREE) == 0)
        psys->flags |= PARTSYS_KILL_ME;
    psys->flags &= ~PARTSYS_INIT;
}

void UpdateSystem(s_particle_system* psys) {
    if ((psys->flags & PARTSYS_CLONE) != 0)
        return;
    if ((psys->flags & PARTSYS_KILL_ME) != 0) {
        ParticleSystemFree(psys);
        return;
    }
    if ((psys->flags & PARTSYS_CUTSCENE_SUSPEND) != 0 && GameInCutscene() != 0)
        return;
    if ((psys->flags & PARTSYS_USE_CLIP_RADIUS) != 0) {
        const f32 radius = static_cast<const s_PARTSYS_ATTR_DEFAULT*>(psys->attr)->clipRadius;
        if (DrawClipSphere(&psys->pos, radius) != 0) {
            psys->flags |= PARTSYS_NO_DRAW;
            return;
        }
        psys->flags &= ~PARTSYS_NO_DRAW;
    }
    if (TimeSliceStart(&psys->timeSlice) == 0)
        return;
    Update(psys);
    TimeSliceEnd();
}

void Draw(s_particle_system* psys, const s_Vector3* at, const s_Vector3* sortPosition) {
    const s_Vector3 origin{};
    const s_Vector3* position = (psys->flags & PARTSYS_STATIONARY) != 0 ? at : &origin;
    for (s_group_header* group = psys->spriteGroup; group != nullptr; group = group->next) {
        if (DrawSortQueueData() != 0)
            SpriteGroupSortInsert(group, position, sortPosition);
        else if (psys->matrix != nullptr)
            SpriteGroupDrawWithMatrix(group, position, psys->matrix);
        else
            SpriteGroupDraw(group, position);
    }
    for (s_particle_system* child = psys->child; child != nullptr; child = child->child) {
        const s_Vector3 childAt{at->x + child->pos.x, at->y + child->pos.y, at->z + child->pos.z, 0.0f};
        Draw(child, &childAt, sortPosition);
    }
}

}  // namespace

s32 ParticleSystemWarmReset() {
    ParticleSystemList = {};
    ParticleSystemList.priority = kListPriority;
    ThreadInsertPriorityDebug("ParticleSystemUpdateThread", nullptr, nullptr, ParticleSystemUpdateThread,
                              nullptr, kUpdatePriority);
    ThreadInsertPriorityDebug("ParticleSystemRenderThread", nullptr, nullptr, ParticleSystemRenderThread,
                              nullptr, kRenderPriority);
    return 1;
}

s_particle_system* ParticleSystemLoad(const char* name, const s_Vector3* pos, s32 numElement, u32 flags) {
    s_PARTSYS_ATTR* attr = ParticleSystemAttrLoad(name, nullptr, 0, flags);
    if (attr == nullptr)
        return nullptr;
    s_particle_system* psys = ParticleSystemAlloc(attr, pos, numElement, flags);
    if (psys == nullptr) {
        DEBUG_PRINT(" %s not loaded\n", attr->spriteDef.name);
        ReleaseAttr(attr, flags);
    }
    return psys;
}

s_particle_system* ParticleSystemAlloc(s_PARTSYS_ATTR* attr, const s_Vector3* pos, s32 numElement,
                                       u32 flags) {
    if (!Drawable(attr))
        return nullptr;
    const s32 n = numElement != 0 ? numElement : attr->numElement;
    const uint64_t bytes = sizeof(s_particle_system) + uint64_t(n > 0 ? n : 0) * sizeof(s_partsys_elem);
    if (n <= 0 || bytes > 0xFFFFFFFFu)
        return nullptr;
    MemTypePush("MEM_PART_SYS");
    auto* psys = static_cast<s_particle_system*>(HeapCalloc(1, u32(bytes), __FILE_NAME__, __LINE__));
    MemTypePop();
    if (psys == nullptr)
        return nullptr;
    TakeAttr(psys, attr);
    psys->flags = flags | attr->flags | PARTSYS_INIT;
    psys->pos = psys->lastPos = *pos;
    psys->color = {1.0f, 1.0f, 1.0f, 1.0f};
    psys->numElement = n;
    psys->elements = reinterpret_cast<s_partsys_elem*>(psys + 1);
    psys->spriteGroup = SpriteGroupAlloc(e_SPRITE_TYPE(attr->spriteType), n);
    if (psys->spriteGroup == nullptr) {
        DEBUG_PRINT("ParticleSystemLoad: Unable to alloc sprite groups!\n");
        HeapMallocFree(psys);
        return nullptr;
    }
    TimeSliceAlloc(&psys->timeSlice, s32(attr->updateRate), 1.0f);
    InitGroups(psys);
    RecordInsertPriorityList(&ParticleSystemList, psys);
    return psys;
}

void ParticleSystemFree(s_particle_system* psys) {
    if (psys == nullptr)
        return;
    if (psys->eventCallback != nullptr)
        psys->eventCallback(psys, psys->eventCallbackParm, PARTSYS_EVENT_FREE);
    if (psys->eventSysCallback != nullptr)
        psys->eventSysCallback(psys, psys->eventSysCallbackParm, PARTSYS_EVENT_FREE);
    ParticleSystemFree(psys->child);
    FreeResources(psys);
}

void ParticleSystemStop(s_particle_system* psys) {
    psys->flags = (psys->flags & ~PARTSYS_ALWAYS_ON) | PARTSYS_STOP_ME;
}

void ParticleSystemKill(s_particle_system* psys) {
    psys->flags = (psys->flags & ~PARTSYS_ALWAYS_ON) | PARTSYS_KILL_ME;
}

void ParticleSystemSetSysCallback(s_particle_system* psys, ParticleEventCallback callback, void* parm) {
    if (psys == nullptr)
        return;
    psys->eventSysCallback = callback;
    psys->eventSysCallbackParm = parm;
}

void ParticleSystemSetPosition(s_particle_system* psys, const s_Vector3* pos) {
    if (psys == nullptr)
        return;
    psys->lastPos = psys->pos;
    psys->pos = *pos;
}

s32 ParticleSystemReplaceAttr(s_PARTSYS_ATTR* old, s_PARTSYS_ATTR* fresh) {
    std::vector<std::pair<s_particle_system*, s_group_header*>> users;
    bool ready = true;
    for (s_linked_list* node = ParticleSystemList.next; node != nullptr; node = node->next) {
        s_particle_system* psys = NextSystem(node);
        if (psys->attr != old || (psys->flags & PARTSYS_INSTANCE_ATTR) != 0)
            continue;
        s_group_header* groups = nullptr;
        if (ready && (psys->flags & PARTSYS_CLONE) == 0) {
            if (Drawable(fresh))
                groups = SpriteGroupAlloc(e_SPRITE_TYPE(fresh->spriteType), psys->numElement);
            ready = groups != nullptr;
        }
        users.emplace_back(psys, groups);
    }
    for (auto [psys, groups] : users) {
        if (!ready) {
            if (groups != nullptr)
                SpriteGroupFree(groups);
            continue;
        }
        TakeAttr(psys, fresh);
        psys->flags = (psys->flags & ~(old->flags & ~PARTSYS_OWNER_FLAGS)) | fresh->flags | PARTSYS_INIT;
        RecordRemoveList(psys);
        RecordInsertPriorityList(&ParticleSystemList, psys);
        if ((psys->flags & PARTSYS_CLONE) != 0)
            continue;
        SpriteGroupFree(psys->spriteGroup);
        psys->spriteGroup = groups;
        TimeSliceFree(&psys->timeSlice);
        TimeSliceAlloc(&psys->timeSlice, s32(fresh->updateRate), 1.0f);
        InitGroups(psys);
    }
    return ready ? 1 : 0;
}

void ParticleSystemUpdateThread(s_thread*, void*) {
    if (GamePaused() != 0)
        return;
    const s32 selected = OrbRandSetList(kParticleRandomList);
    for (s_linked_list* node = ParticleSystemList.next; node != nullptr;) {
        s_linked_list* next = node->next;
        UpdateSystem(NextSystem(node));
        node = next;
    }
    OrbRandSetList(selected);
}

void ParticleSystemRenderThread(s_thread*, void*) {
    if (ParticleSystemRenderDisable != 0)
        return;
    for (s_linked_list* node = ParticleSystemList.next; node != nullptr; node = node->next) {
        s_particle_system* psys = NextSystem(node);
        if ((psys->flags & PARTSYS_CUTSCENE_SUSPEND) != 0 && GameInCutscene() != 0)
            continue;
        if ((psys->flags & (PARTSYS_KILL_ME | PARTSYS_NO_DRAW)) != 0)
            continue;
        s_particle_system* drawn = (psys->flags & PARTSYS_CLONE) != 0 ? psys->parent : psys;
        if (drawn != nullptr)
            Draw(drawn, &psys->pos, &psys->pos);
    }
}
