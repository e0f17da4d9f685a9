#include "orblib47/source/DrawSort.h"

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbThread.h"

s_draw_sort* DrawSortArray = nullptr;
u32 DrawSortIndex = 0;
s_draw_sort* DrawSortList = nullptr;
s32 DrawSortEnabled = 1;
s32 DrawSortQueueRender = 1;

namespace {

// The states that an item's changes replaced, put back after it is drawn.
e_PROJ_MODE DrawSortOldProj = DC_PROJ_INVALID;
e_CULL_MODE DrawSortOldCull = DC_CULL_INVALID;
e_ZBUF_MODE DrawSortOldZBufMode = DC_ZMODE_INVALID;
s32 DrawSortOldZWrite = 1;

bool HasFlag(s_draw_sort_flags flags, u32 bit) {
    return (flags.word & bit) != 0;
}

// The pass-wide states that a flush sets and puts back afterwards.
struct PassStates {
    e_CULL_MODE cull;
    e_ZBUF_MODE zMode;
    s32 zWrite;
};

PassStates BeginPass(s32 zWrite) {
    DrawSetProjection(DC_PROJ_3D);
    PassStates old;
    old.cull = DrawSetCullMode(DC_CULL_BACK);
    old.zMode = DrawSetZBufferMode(DC_ZMODE_LESS_EQUAL);
    old.zWrite = DrawSetZBufferWrite(zWrite);
    DrawSortQueueRender = 0;
    return old;
}

void EndPass(const PassStates& old) {
    DrawSetCullMode(old.cull);
    DrawSetZBufferMode(old.zMode);
    DrawSetZBufferWrite(old.zWrite);
    DrawSortQueueRender = 1;
}

// Draws the items of one pass in list order, each with its own state changes.
void DrawPassItems(bool alpha) {
    for (s_draw_sort* item = DrawSortList; item != nullptr; item = item->next) {
        if (HasFlag(item->flags, s_draw_sort_flags::Has_Alpha) != alpha)
            continue;
        DrawSortSetRenderStates(item->flags);
        item->drawFunc(item->data);
        DrawSortRestoreRenderStates(item->flags);
    }
}

}  // namespace

void DrawSortWarmReset() {
    DrawSortIndex = 0;
    DrawSortList = nullptr;
    DrawSortEnabled = 1;
    DrawSortQueueRender = 1;
    DrawSortOldProj = DC_PROJ_INVALID;
    DrawSortOldCull = DC_CULL_INVALID;
    DrawSortOldZBufMode = DC_ZMODE_INVALID;
    DrawSortOldZWrite = 1;
    // The warm reset rebuilt the heap, so the array is taken afresh from it.
    DrawSortArray =
        static_cast<s_draw_sort*>(HeapMalloc(DRAW_SORT_MAX * sizeof(s_draw_sort), __FILE_NAME__, __LINE__));
    ORB_ASSERT(DrawSortArray != nullptr, "DrawSortWarmReset: Out of memory\n");
    ThreadInsertPriorityDebug("DrawSortOpaqueFlushThread", nullptr, nullptr, DrawSortOpaqueFlushThread,
                              nullptr, DRAW_SORT_OPAQUE_FLUSH_PRIORITY);
    ThreadInsertPriorityDebug("DrawSortAlphaFlushThread", nullptr, nullptr, DrawSortAlphaFlushThread, nullptr,
                              DRAW_SORT_ALPHA_FLUSH_PRIORITY);
}

s32 DrawSortQueueData() {
    return DrawSortQueueRender != 0 && DrawSortEnabled != 0 ? 1 : 0;
}

void DrawSortAddData(void* data, DrawSortFunc drawFunc, const s_draw_sort_flags* flags, u8 renderPriority,
                     f32 z) {
    ORB_ASSERT(data != nullptr, "DrawSortAddData: NULL data\n");
    ORB_ASSERT(drawFunc != nullptr, "DrawSortAddData: NULL drawFunc\n");
    if (DrawSortQueueData() == 0) {
        DrawSortForceDrawData(data, drawFunc);
        return;
    }
    if (DrawSortIndex >= DRAW_SORT_MAX) {
        DEBUG_PRINT("DrawSortAddData: Out of DRAW_SORT elements\n");
        return;
    }
    s_draw_sort* item = &DrawSortArray[DrawSortIndex++];
    item->next = nullptr;
    item->data = data;
    item->drawFunc = drawFunc;
    item->z = z;
    item->renderPriority = renderPriority;
    item->flags = flags != nullptr ? *flags : s_draw_sort_flags{0};
    DrawSortInsertElement(item);
}

void DrawSortAddDataOffset(void* data, DrawSortFunc drawFunc, const s_Vector3* position,
                           const s_draw_sort_flags* flags, u8 renderPriority, f32) {
    s_Vector3 screen;
    DrawWorld2Screen(&screen, position);
    DrawSortAddData(data, drawFunc, flags, renderPriority, screen.z);
}

void DrawSortAddDataPos(void* data, DrawSortFunc drawFunc, const s_Vector3* position,
                        const s_draw_sort_flags* flags, u8 renderPriority) {
    DrawSortAddDataOffset(data, drawFunc, position, flags, renderPriority, 0.0f);
}

void DrawSortForceDrawData(void* data, DrawSortFunc drawFunc) {
    ORB_ASSERT(data != nullptr, "DrawSortForceDrawData: NULL data\n");
    ORB_ASSERT(drawFunc != nullptr, "DrawSortForceDrawData: NULL drawFunc\n");
    const s32 queueRender = DrawSortQueueRender;
    DrawSortQueueRender = 0;
    drawFunc(data);
    DrawSortQueueRender = queueRender;
}

void DrawSortInsertElement(s_draw_sort* drawSort) {
    ORB_ASSERT(drawSort != nullptr, "DrawSortInsertElement: NULL drawSort\n");
    DrawSortInsert(drawSort, &DrawSortList);
}

void DrawSortInsert(s_draw_sort* item, s_draw_sort** link) {
    // Before the first item drawn later; equal items keep the order they came in.
    for (; *link != nullptr; link = &(*link)->next) {
        const s_draw_sort* at = *link;
        if (at->renderPriority < item->renderPriority ||
            (at->renderPriority == item->renderPriority && at->z > item->z))
            break;
    }
    item->next = *link;
    *link = item;
}

void DrawSortSetRenderStates(s_draw_sort_flags flags) {
    using F = s_draw_sort_flags;
    if (HasFlag(flags, F::Change_Projection))
        DrawSortOldProj = DrawSetProjection(HasFlag(flags, F::Proj_Ortho) ? DC_PROJ_ORTHO : DC_PROJ_3D);
    if (HasFlag(flags, F::Change_Cull_Mode))
        DrawSortOldCull = DrawSetCullMode(HasFlag(flags, F::Cull_Mode_None) ? DC_CULL_NONE : DC_CULL_BACK);
    if (HasFlag(flags, F::Change_ZBuf_Mode))
        DrawSortOldZBufMode =
            DrawSetZBufferMode(HasFlag(flags, F::ZBuf_Mode_Always) ? DC_ZMODE_ALWAYS : DC_ZMODE_LESS_EQUAL);
    if (HasFlag(flags, F::Change_ZWrite))
        DrawSortOldZWrite = DrawSetZBufferWrite(HasFlag(flags, F::ZWrite_Disabled) ? 0 : 1);
}

void DrawSortRestoreRenderStates(s_draw_sort_flags flags) {
    // In reverse order: a projection switch also sets the cull mode, which the
    // saved cull mode must override, not be overridden by.
    using F = s_draw_sort_flags;
    if (HasFlag(flags, F::Change_ZWrite))
        DrawSetZBufferWrite(DrawSortOldZWrite);
    if (HasFlag(flags, F::Change_ZBuf_Mode))
        DrawSetZBufferMode(DrawSortOldZBufMode);
    if (HasFlag(flags, F::Change_Cull_Mode))
        DrawSetCullMode(DrawSortOldCull);
    if (HasFlag(flags, F::Change_Projection))
        DrawSetProjection(DrawSortOldProj);
}

void DrawSortOpaqueFlushThread(s_thread*, void*) {
    const PassStates old = BeginPass(1);
    DrawPassItems(false);
    EndPass(old);
}

void DrawSortAlphaFlushThread(s_thread*, void*) {
    const PassStates old = BeginPass(0);
    DrawPassItems(true);
    DrawSortIndex = 0;
    DrawSortList = nullptr;
    EndPass(old);
}
