// The draw-sort list: draw calls of one frame deferred and issued by render
// priority, then depth, in an opaque pass (5200) and an alpha pass (5099).
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

using DrawSortFunc = void (*)(void* data);

// Per-item state changes; a flag word with bit 31 the most significant.
struct s_draw_sort_flags {
    static constexpr u32 Has_Alpha = 1u << 31;  // alpha pass; clear: opaque pass
    static constexpr u32 Change_Projection = 1u << 30;
    static constexpr u32 Proj_Ortho = 1u << 29;  // else 3-D
    static constexpr u32 Change_Cull_Mode = 1u << 28;
    static constexpr u32 Cull_Mode_None = 1u << 27;  // else back faces
    static constexpr u32 Change_ZBuf_Mode = 1u << 26;
    static constexpr u32 ZBuf_Mode_Always = 1u << 25;  // else less-or-equal
    static constexpr u32 Change_ZWrite = 1u << 24;
    static constexpr u32 ZWrite_Disabled = 1u << 23;  // else writes on

    u32 word;
};

struct s_draw_sort {
    s_draw_sort* next;  // in draw order
    void* data;
    DrawSortFunc drawFunc;
    f32 z;               // smaller is drawn first
    s32 renderPriority;  // 0..255, larger is drawn first
    s_draw_sort_flags flags;
};

constexpr u32 DRAW_SORT_MAX = 1024;
constexpr u32 DRAW_SORT_OPAQUE_FLUSH_PRIORITY = 5200;
constexpr u32 DRAW_SORT_ALPHA_FLUSH_PRIORITY = 5099;

extern s_draw_sort* DrawSortArray;
extern u32 DrawSortIndex;  // items used this frame
extern s_draw_sort* DrawSortList;
extern s32 DrawSortEnabled;
extern s32 DrawSortQueueRender;  // 0 while a flush or a forced draw runs

struct s_thread;

void DrawSortWarmReset();
void DrawSortOpaqueFlushThread(s_thread* task, void* record);
void DrawSortAlphaFlushThread(s_thread* task, void* record);
s32 DrawSortQueueData();
// flags may be null: no state changes, opaque pass.
void DrawSortAddData(void* data, DrawSortFunc drawFunc, const s_draw_sort_flags* flags, u8 renderPriority,
                     f32 z);
// Queued at the projected screen depth of a world position; offset does not move it.
void DrawSortAddDataOffset(void* data, DrawSortFunc drawFunc, const s_Vector3* position,
                           const s_draw_sort_flags* flags, u8 renderPriority, f32 offset);
void DrawSortAddDataPos(void* data, DrawSortFunc drawFunc, const s_Vector3* position,
                        const s_draw_sort_flags* flags, u8 renderPriority);
// Draws at once; whatever drawFunc queues is drawn at once too.
void DrawSortForceDrawData(void* data, DrawSortFunc drawFunc);
void DrawSortInsertElement(s_draw_sort* item);
// Ordered insertion into the list that starts at *link.
void DrawSortInsert(s_draw_sort* item, s_draw_sort** link);
void DrawSortSetRenderStates(s_draw_sort_flags flags);
void DrawSortRestoreRenderStates(s_draw_sort_flags flags);
