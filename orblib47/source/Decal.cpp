#include "orblib47/source/Decal.h"

#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Sprite.h"

s_linked_list DecalGroups = {};

namespace {

constexpr u32 kDecalUpdatePriority = 6100;
constexpr u32 kDecalRenderPriority = 5100;

s_quad_group* NextBlock(s_quad_group* block) {
    return reinterpret_cast<s_quad_group*>(block->group.next);
}

s_quad& Quad(s_decal_group* group, s32 index) {
    s_quad_group* block = group->spriteGroup;
    for (s32 b = index / SPRITE_GROUP_ELEMENTS; b > 0; --b)
        block = NextBlock(block);
    return block->element[index % SPRITE_GROUP_ELEMENTS];
}

void Age(s_decal_group* group) {
    const f32 maxAge = group->elemMaxAge;
    s_quad_group* block = group->spriteGroup;
    for (s32 i = 0; i < group->numElement; ++i) {
        if (i > 0 && i % SPRITE_GROUP_ELEMENTS == 0)
            block = NextBlock(block);
        s_decal_elem& element = group->elements[i];
        if (element.age < maxAge)
            element.age = element.age + DeltaTime < maxAge ? element.age + DeltaTime : maxAge;
        block->element[i % SPRITE_GROUP_ELEMENTS].rgba.w = element.alpha * (1.0f - element.age / maxAge);
    }
}

// Each block draws only the elements it holds, in the alpha pass, with the cell's
// texture and texture rectangle.
void InitBlocks(s_decal_group* group, s32 cell) {
    const s_sprite_set* set = group->spriteSet;
    const s_sprite_uv* uv =
        set != nullptr && cell >= 0 && cell < set->numSprite ? &set->sprites[cell] : nullptr;
    s32 left = group->numElement;
    for (s_quad_group* block = group->spriteGroup; block != nullptr; block = NextBlock(block)) {
        block->group.flags |= SPRITE_GROUP_ALPHA;
        block->header.count = left < SPRITE_GROUP_ELEMENTS ? left : SPRITE_GROUP_ELEMENTS;
        left -= block->header.count;
        SpriteInitGroup(&block->group, set, cell);
        if (uv == nullptr)
            continue;
        for (s_quad& quad : block->element) {
            quad.u0 = uv->uv[0][0];
            quad.v0 = uv->uv[0][1];
            quad.u1 = uv->uv[2][0];
            quad.v1 = uv->uv[2][1];
        }
    }
}

}  // namespace

s32 DecalWarmReset() {
    DecalGroups = {};
    ThreadInsertPriorityDebug("DecalUpdateThread", nullptr, nullptr, DecalUpdateThread, nullptr,
                              kDecalUpdatePriority);
    ThreadInsertPriorityDebug("DecalRenderThread", nullptr, nullptr, DecalRenderThread, nullptr,
                              kDecalRenderPriority);
    return 1;
}

s_decal_group* DecalGroupAlloc(s_sprite_set* set, s32 cell, s32 numElement, f32 elemMaxAge) {
    if (numElement <= 0)
        return nullptr;
    s_quad_group* quads = SpriteAllocQuadGroup(numElement);
    if (quads == nullptr)
        return nullptr;
    auto* group = static_cast<s_decal_group*>(HeapCalloc(
        1, u32(sizeof(s_decal_group) + u32(numElement) * sizeof(s_decal_elem)), __FILE_NAME__, __LINE__));
    if (group == nullptr) {
        HeapMallocFree(quads);
        return nullptr;
    }
    group->numElement = numElement;
    group->elemMaxAge = elemMaxAge;
    group->spriteGroup = quads;
    group->spriteSet = set;
    group->elements = reinterpret_cast<s_decal_elem*>(group + 1);
    InitBlocks(group, cell);
    RecordAppendList(&DecalGroups, group);
    return group;
}

void DecalGroupFree(s_decal_group* group) {
    RecordRemoveList(group);
    SpriteGroupFree(&group->spriteGroup->group);
    HeapMallocFree(group);
}

s32 DecalAdd(s_decal_group* group, const s_Vector3 corners[4], const s_Vector4* color) {
    const s32 index = group->elemIndex;
    group->elemIndex = (index + 1) % group->numElement;
    group->elements[index] = {color->w, 0.0f};
    s_quad& quad = Quad(group, index);
    quad.rgba = *color;
    quad.x0 = corners[0].x, quad.y0 = corners[0].y, quad.z0 = corners[0].z;
    quad.x1 = corners[1].x, quad.y1 = corners[1].y, quad.z1 = corners[1].z;
    quad.x2 = corners[2].x, quad.y2 = corners[2].y, quad.z2 = corners[2].z;
    quad.x3 = corners[3].x, quad.y3 = corners[3].y, quad.z3 = corners[3].z;
    return index;
}

void DecalUpdateThread(s_thread*, void*) {
    if (GamePaused() != 0)
        return;
    for (s_linked_list* node = DecalGroups.next; node != nullptr; node = node->next) {
        auto* group = static_cast<s_decal_group*>(node);
        if (group->elemMaxAge != 0.0f)
            Age(group);
    }
}

void DecalRenderThread(s_thread*, void*) {
    const s_Vector3 origin{};
    for (s_linked_list* node = DecalGroups.next; node != nullptr; node = node->next) {
        auto* group = static_cast<s_decal_group*>(node);
        for (s_quad_group* block = group->spriteGroup; block != nullptr; block = NextBlock(block))
            SpriteGroupDraw(&block->group, &origin);
    }
}
