// The sprite-group draw queue and its per-frame passes.
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawSort.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/SpriteGroup.h"

s_group_draw* SpriteGroupDrawList = nullptr;
s_Matrix4* SpriteGroupMatrixList = nullptr;
u32 SpriteGroupDrawCount = 0;
s_sprite_group_draw_sort* SpriteGroupDrawSortArray = nullptr;
u32 SpriteGroupDrawSortCount = 0;
s_stdrec* SpriteAnimRecords = nullptr;

namespace {

u32 SpriteGroupDrawMax = 0;
// The queue has two halves used in turn, one per frame: particle groups handed
// to the draw-sort list are drawn by the next frame's alpha flush, after that
// frame's updates have queued into the other half.
s_group_draw* SpriteGroupDrawHalves[2] = {};
s_Matrix4* SpriteGroupMatrixHalves[2] = {};
u32 SpriteGroupDrawHalf = 0;

bool Alpha(const s_group_header* group) {
    return (group->flags & SPRITE_GROUP_ALPHA) != 0;
}

bool FrameBuffer(const s_group_header* group) {
    return (group->flags & SPRITE_GROUP_FRAME_BUFFER) != 0;
}

bool Particle(const s_group_header* group) {
    return group->type() == SPRITE_TYPE_PARTICLE;
}

// One group with its combine mode and depth offset, through its matrix when it
// has one; the combine mode is put back after.
void DrawWithStates(s_group_header* group, const s_Vector3& position, const s_Matrix4* matrix) {
    const e_COMBINE_MODE combine = DrawSetCombineMode(group->combineMode);
    DrawSetDepthOffset(-1.0f, group->depthOffset);
    if (matrix != nullptr)
        DrawPushMatrix(matrix);
    SpriteDrawGroup(group, &position);
    if (matrix != nullptr)
        DrawPopMatrix();
    DrawSetDepthOffset(0.0f, DrawContext.viewport->depthOffset);
    DrawSetCombineMode(combine);
}

template <class Pick>
void DrawQueued(Pick pick) {
    for (u32 i = 0; i < SpriteGroupDrawCount; ++i) {
        const s_group_draw& entry = SpriteGroupDrawList[i];
        if (pick(entry.group))
            DrawWithStates(entry.group, entry.position, entry.matrix);
    }
}

s_group_draw* Append(s_group_header* group, const s_Vector3* position) {
    if (SpriteGroupDrawCount >= SpriteGroupDrawMax)
        return nullptr;
    s_group_draw& entry = SpriteGroupDrawList[SpriteGroupDrawCount++];
    entry = {*position, group, nullptr};
    return &entry;
}

// Where a particle group sorts: its system's position (the origin without one),
// through the matrix it was queued with.
s_Vector3 SortPosition(const s_group_draw& entry) {
    const s_particle_system* system = entry.group->psysPtr;
    s_Vector3 position = system != nullptr ? system->pos : s_Vector3{};
    if (entry.matrix != nullptr)
        Matrix4MultPoints(entry.matrix, &position, &position, 1);
    return position;
}

void UseHalf(u32 half) {
    SpriteGroupDrawHalf = half;
    SpriteGroupDrawList = SpriteGroupDrawHalves[half];
    SpriteGroupMatrixList = SpriteGroupMatrixHalves[half];
    SpriteGroupDrawCount = 0;
}

template <class T>
T* AllocArray(u32 count) {
    T* array = static_cast<T*>(HeapMalloc(count * u32(sizeof(T)), __FILE_NAME__, __LINE__));
    ORB_ASSERT(array != nullptr, "SpriteWarmReset: Out of memory\n");
    return array;
}

}  // namespace

s32 SpriteWarmReset(u32 maxspriteanim, u32 maxSpriteDrawGroup) {
    SpriteGroupDrawMax = maxSpriteDrawGroup;
    MemTypePush("MEM_SPRITE");
    SpriteGroupDrawHalves[0] = AllocArray<s_group_draw>(2 * maxSpriteDrawGroup);
    SpriteGroupDrawHalves[1] = SpriteGroupDrawHalves[0] + maxSpriteDrawGroup;
    SpriteGroupMatrixHalves[0] = AllocArray<s_Matrix4>(2 * maxSpriteDrawGroup);
    SpriteGroupMatrixHalves[1] = SpriteGroupMatrixHalves[0] + maxSpriteDrawGroup;
    SpriteGroupDrawSortArray = AllocArray<s_sprite_group_draw_sort>(maxSpriteDrawGroup);
    MemTypePop();
    UseHalf(0);
    SpriteGroupDrawSortCount = 0;
    SpriteAnimRecords = RecordCreate(maxspriteanim, sizeof(s_sanim));
    if (SpriteAnimRecords != nullptr)
        HeapAddrAddComment(SpriteAnimRecords, "SpriteWarmReset:SpriteAnimRecords");
    ThreadInsertPriorityDebug("SpriteDrawOpaqueThread", nullptr, nullptr, SpriteDrawOpaqueThread, nullptr,
                              5200);
    ThreadInsertPriorityDebug("SpriteDrawAlphaThread", nullptr, nullptr, SpriteDrawAlphaThread, nullptr,
                              5100);
    ThreadInsertPriorityDebug("SpriteDrawFrameBufferThread", nullptr, nullptr, SpriteDrawFrameBufferThread,
                              nullptr, 5099);
    ThreadInsertPriorityDebug("SpriteDrawParticlesThread", nullptr, nullptr, SpriteDrawParticlesThread,
                              nullptr, 5098);
    return SpriteAnimRecords != nullptr ? 1 : 0;
}

void SpriteGroupDraw(s_group_header* group, const s_Vector3* position) {
    Append(group, position);
}

void SpriteGroupDrawWithMatrix(s_group_header* group, const s_Vector3* position, const s_Matrix4* matrix) {
    if (s_group_draw* entry = Append(group, position)) {
        s_Matrix4& kept = SpriteGroupMatrixList[entry - SpriteGroupDrawList];
        kept = *matrix;
        entry->matrix = &kept;
    }
}

void SpriteGroupSortInsert(s_group_header* group, const s_Vector3* position, const s_Vector3* sortPosition) {
    ORB_ASSERT(group != nullptr, "SpriteGroupSortInsert: NULL group header.\n");
    if (FrameBuffer(group)) {
        SpriteGroupDraw(group, position);
        return;
    }
    if (SpriteGroupDrawSortCount >= SpriteGroupDrawMax)
        return;
    s_sprite_group_draw_sort& entry = SpriteGroupDrawSortArray[SpriteGroupDrawSortCount++];
    entry = {*position, group};
    const s_draw_sort_flags flags{Alpha(group) ? s_draw_sort_flags::Has_Alpha : 0};
    DrawSortAddDataPos(&entry, SpriteGroupDrawSort, sortPosition, &flags, 0);
}

void SpriteDrawOpaqueThread(s_thread*, void*) {
    if (SpriteGroupDrawCount == 0)
        return;
    DrawSetProjection(DC_PROJ_3D);
    DrawQueued([](const s_group_header* g) { return !Alpha(g) && !FrameBuffer(g) && !Particle(g); });
}

void SpriteDrawAlphaThread(s_thread*, void*) {
    if (SpriteGroupDrawCount == 0)
        return;
    DrawSetProjection(DC_PROJ_3D);
    const s32 zWrite = DrawSetZBufferWrite(0);
    const e_CULL_MODE cull = DrawSetCullMode(DC_CULL_NONE);
    DrawQueued([](const s_group_header* g) { return Alpha(g) && !FrameBuffer(g) && !Particle(g); });
    DrawSetCullMode(cull);
    DrawSetZBufferWrite(zWrite);
}

// Frame-buffer groups draw over a copy of the picture, which this platform does
// not make: they stay undrawn, and the pass leaves no texture selected.
void SpriteDrawFrameBufferThread(s_thread*, void*) {
    if (SpriteGroupDrawCount != 0)
        DrawSetTexture(nullptr);
}

void SpriteDrawParticlesThread(s_thread*, void*) {
    if (SpriteGroupDrawCount != 0) {
        DrawSetProjection(DC_PROJ_3D);
        const s_draw_sort_flags alpha{s_draw_sort_flags::Has_Alpha};
        for (u32 i = 0; i < SpriteGroupDrawCount; ++i) {
            s_group_draw& entry = SpriteGroupDrawList[i];
            if (!Particle(entry.group) || FrameBuffer(entry.group))
                continue;
            if (DrawSortQueueData() != 0) {
                const s_Vector3 position = SortPosition(entry);
                DrawSortAddDataPos(&entry, SpriteDrawDrawSort, &position, &alpha, 0);
            } else {
                DrawWithStates(entry.group, entry.position, entry.matrix);
            }
        }
    }
    UseHalf(SpriteGroupDrawHalf ^ 1u);
    SpriteGroupDrawSortCount = 0;
}

void SpriteDrawDrawSort(void* data) {
    const s_group_draw& entry = *static_cast<const s_group_draw*>(data);
    const s32 zWrite = DrawSetZBufferWrite(0);
    DrawWithStates(entry.group, entry.position, entry.matrix);
    DrawSetZBufferWrite(zWrite);
}

void SpriteGroupDrawSort(void* data) {
    const s_sprite_group_draw_sort& entry = *static_cast<const s_sprite_group_draw_sort*>(data);
    if (!Alpha(entry.group)) {
        DrawWithStates(entry.group, entry.position, nullptr);
        return;
    }
    const e_CULL_MODE cull = DrawSetCullMode(DC_CULL_NONE);
    const s32 zWrite = DrawSetZBufferWrite(0);
    DrawWithStates(entry.group, entry.position, nullptr);
    DrawSetZBufferWrite(zWrite);
    DrawSetCullMode(cull);
}
