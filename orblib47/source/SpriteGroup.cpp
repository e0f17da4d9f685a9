#include "orblib47/source/SpriteGroup.h"

#include <cstddef>

#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawColor.h"
#include "orblib47/source/Sprite.h"

namespace {

// Where the elements of a block start and how far apart they are, by type.
struct ElementLayout {
    u32 start;
    u32 size;
};

template <class Block>
constexpr ElementLayout LayoutOf() {
    return {u32(offsetof(Block, element)), u32(sizeof(Block::element[0]))};
}

// By the type bits of a group's flags; types 0 and 7 have no elements.
constexpr ElementLayout kLayouts[SPRITE_GROUP_TYPE_MASK + 1] = {
    {0, 0},
    LayoutOf<s_point_group>(),
    LayoutOf<s_line_group>(),
    LayoutOf<s_particle_group>(),
    LayoutOf<s_sprite_group>(),
    LayoutOf<s_sprite4_group>(),
    LayoutOf<s_quad_group>(),
    {0, 0},
};

template <class Block>
s_group_header* AllocBlocks(e_SPRITE_TYPE type, s32 count) {
    const u32 blocks = (u32(count) + SPRITE_GROUP_ELEMENTS - 1) / SPRITE_GROUP_ELEMENTS;
    auto* block = static_cast<Block*>(HeapCalloc(blocks, sizeof(Block), __FILE_NAME__, __LINE__));
    if (block == nullptr)
        return nullptr;
    for (u32 b = 0; b < blocks; ++b) {
        s_group_header& group = block[b].group;
        group.flags = type;
        group.prev = b > 0 ? &block[b - 1].group : nullptr;
        group.next = b + 1 < blocks ? &block[b + 1].group : nullptr;
        group.combineMode = DC_COMBINE_ALPHA;
        block[b].header.count = SPRITE_GROUP_ELEMENTS;
    }
    return &block->group;
}

const s_sprite_uv* Cell(const s_sprite_set* set, s32 index) {
    if (set == nullptr || index < 0 || index >= set->numSprite)
        return nullptr;
    return &set->sprites[index];
}

s_texture* CellTexture(const s_sprite_set* set, const s_sprite_uv& cell) {
    return cell.textureId < set->numTexture ? set->textures[cell.textureId].texture : nullptr;
}

void SetSprite4Shape(s_sprite4* element, const s_sprite_set* set, s32 index) {
    if (set == nullptr || set->numAnimation <= 0 || index < 0 || index >= set->animations[0].numFrame)
        return;
    const s_sanim_frame& frame = set->animations[0].frames[index];
    if (frame.numSprites <= 0)
        return;
    const s_sanim_sprite& shape = frame.sprites[0];
    const s_sprite_uv* cell = Cell(set, shape.id);
    for (s32 k = 0; k < 4; ++k) {
        s_sprite4_corner& corner = element->corner[k];
        corner.x = shape.vertex[k].x;
        corner.y = shape.vertex[k].y;
        if (cell != nullptr) {
            corner.u = cell->uv[k][0];
            corner.v = cell->uv[k][1];
        }
        corner.rgba = UnpackColorV(shape.vertex[k].color);
    }
}

}  // namespace

s_group_header* SpriteGroupAlloc(e_SPRITE_TYPE type, s32 count) {
    if (count <= 0)
        return nullptr;
    switch (type) {
        case SPRITE_TYPE_POINT:
            return AllocBlocks<s_point_group>(type, count);
        case SPRITE_TYPE_LINE:
            return AllocBlocks<s_line_group>(type, count);
        case SPRITE_TYPE_PARTICLE:
            return AllocBlocks<s_particle_group>(type, count);
        case SPRITE_TYPE_SPRITE:
            return AllocBlocks<s_sprite_group>(type, count);
        case SPRITE_TYPE_SPRITE4:
            return AllocBlocks<s_sprite4_group>(type, count);
        case SPRITE_TYPE_QUAD:
            return AllocBlocks<s_quad_group>(type, count);
        default:
            return nullptr;
    }
}

s_point_group* SpriteAllocPointGroup(s32 count) {
    return reinterpret_cast<s_point_group*>(SpriteGroupAlloc(SPRITE_TYPE_POINT, count));
}

s_line_group* SpriteAllocLineGroup(s32 count) {
    return reinterpret_cast<s_line_group*>(SpriteGroupAlloc(SPRITE_TYPE_LINE, count));
}

s_particle_group* SpriteAllocParticleGroup(s32 count) {
    return reinterpret_cast<s_particle_group*>(SpriteGroupAlloc(SPRITE_TYPE_PARTICLE, count));
}

s_sprite_group* SpriteAllocSpriteGroup(s32 count) {
    return reinterpret_cast<s_sprite_group*>(SpriteGroupAlloc(SPRITE_TYPE_SPRITE, count));
}

s_sprite4_group* SpriteAllocSprite4Group(s32 count) {
    return reinterpret_cast<s_sprite4_group*>(SpriteGroupAlloc(SPRITE_TYPE_SPRITE4, count));
}

s_quad_group* SpriteAllocQuadGroup(s32 count) {
    return reinterpret_cast<s_quad_group*>(SpriteGroupAlloc(SPRITE_TYPE_QUAD, count));
}

void SpriteGroupFree(s_group_header* group, s32) {
    HeapMallocDelayedFree(group, 2);
}

void* SpriteGroupGetElement(s_group_header* group, s32 index) {
    if (group == nullptr || index < 0 || index >= SPRITE_GROUP_ELEMENTS)
        return nullptr;
    const ElementLayout layout = kLayouts[group->type()];
    if (layout.size == 0)
        return nullptr;
    return reinterpret_cast<u8*>(group) + layout.start + u32(index) * layout.size;
}

u32 SpriteGroupGetElementRecSize(const s_group_header* group) {
    return kLayouts[group->type()].size;
}

void SpriteGroupSetElementPos(void* element, e_SPRITE_TYPE type, const s_Vector3* pos) {
    switch (type) {
        case SPRITE_TYPE_POINT:
            static_cast<s_point*>(element)->coord = *pos;
            break;
        case SPRITE_TYPE_PARTICLE:
            static_cast<s_particle*>(element)->coord = *pos;
            break;
        case SPRITE_TYPE_SPRITE:
            static_cast<s_sprite*>(element)->coord = *pos;
            break;
        case SPRITE_TYPE_SPRITE4:
            static_cast<s_sprite4*>(element)->coord = *pos;
            break;
        case SPRITE_TYPE_LINE:
            static_cast<s_line*>(element)->coord0 = pos[0];
            static_cast<s_line*>(element)->coord1 = pos[1];
            break;
        default:
            break;
    }
}

void SpriteGroupSetElementColor(void* element, e_SPRITE_TYPE type, const s_Vector4* color) {
    switch (type) {
        case SPRITE_TYPE_POINT:
            static_cast<s_point*>(element)->rgba = *color;
            break;
        case SPRITE_TYPE_PARTICLE:
            static_cast<s_particle*>(element)->rgba = *color;
            break;
        case SPRITE_TYPE_SPRITE:
            static_cast<s_sprite*>(element)->rgba = *color;
            break;
        case SPRITE_TYPE_SPRITE4:
            static_cast<s_sprite4*>(element)->rgba = *color;
            break;
        case SPRITE_TYPE_QUAD:
            static_cast<s_quad*>(element)->rgba = *color;
            break;
        case SPRITE_TYPE_LINE:
            static_cast<s_line*>(element)->rgba0 = color[0];
            static_cast<s_line*>(element)->rgba1 = color[1];
            break;
        default:
            break;
    }
}

void SpriteGroupSetElementSize(void* element, e_SPRITE_TYPE type, const s_Vector2* size) {
    const f32 aspect = DrawContext.screenAspectRatio.y;
    const s_Vector2 half{0.5f * size->x * aspect, 0.5f * size->y * aspect};
    switch (type) {
        case SPRITE_TYPE_PARTICLE:
            static_cast<s_particle*>(element)->size = half;
            break;
        case SPRITE_TYPE_SPRITE:
            static_cast<s_sprite*>(element)->size = half;
            break;
        case SPRITE_TYPE_SPRITE4:
            static_cast<s_sprite4*>(element)->size = half;
            break;
        default:
            break;
    }
}

void SpriteGroupSetElementSprite(void* element, e_SPRITE_TYPE type, const s_sprite_set* set, s32 index) {
    if (type == SPRITE_TYPE_SPRITE) {
        if (const s_sprite_uv* cell = Cell(set, index)) {
            auto* sprite = static_cast<s_sprite*>(element);
            sprite->u0 = cell->uv[0][0];
            sprite->v0 = cell->uv[0][1];
            sprite->u1 = cell->uv[2][0];
            sprite->v1 = cell->uv[2][1];
        }
    } else if (type == SPRITE_TYPE_SPRITE4) {
        SetSprite4Shape(static_cast<s_sprite4*>(element), set, index);
    }
}

void SpriteInitGroup(s_group_header* group, const s_sprite_set* set, s32 index) {
    const s_sprite_uv* cell = Cell(set, index);
    if (cell == nullptr)
        return;
    group->texture = CellTexture(set, *cell);
    if (group->type() == SPRITE_TYPE_PARTICLE) {
        s_particle_header& header = reinterpret_cast<s_particle_group*>(group)->header;
        header.u0 = cell->uv[0][0];
        header.v0 = cell->uv[0][1];
        header.u1 = cell->uv[2][0];
        header.v1 = cell->uv[2][1];
    }
}

void SpriteGroupSetCombineMode(s_group_header* group, e_COMBINE_MODE mode) {
    group->combineMode = mode;
}

void SpriteGroupSetDepthOffset(s_group_header* group, f32 offset) {
    group->depthOffset = offset;
}
