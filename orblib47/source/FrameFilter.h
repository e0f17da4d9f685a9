// Frame filters: full-screen post effects. A mode's command list copies the
// picture into small textures and blurs them by drawing a texture several times
// with small offsets (a kernel); its draw command lays the result back over the
// picture. Setting a mode starts an update task after the 3-D passes and a draw
// task that composites.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_texture;
struct s_thread;

enum e_ORB_FILTER_MODE : s32 {
    ORB_FILTER_MODE_NONE = 0,
    ORB_FILTER_MODE_USER_DEFINED = 1,
    ORB_FILTER_MODE_TEST = 2,
    ORB_FILTER_MODE_REDWORLD = 3,
    ORB_FILTER_MODE_TEST_GLOW = 4,
    ORB_FILTER_MODE_GLOW = 5,
    ORB_FILTER_MODE_BLUR_GLOW = 6,
    ORB_FILTER_MODE_BLUR_Multi_GLOW = 7,
    ORB_FILTER_MODE_BLUR = 8,
    ORB_FILTER_MODE_EDGE_DETECT = 9,
    ORB_FILTER_MODE_SECURITY_CAMERA = 10,
    ORB_FILTER_MODE_COUNT = 11,
};

enum e_ORB_FILTER_TEXTURE_TYPE : s32 {
    ORB_FILTER_TEXTURE_ACC = 0,  // accumulation: kept from frame to frame
    ORB_FILTER_TEXTURE_TEMP0 = 1,
    ORB_FILTER_TEXTURE_TEMP1 = 2,
    ORB_FILTER_TEXTURE_FB = 3,  // the picture itself
    ORB_FILTER_TEXTURE_COUNT = 4,
};

enum e_ORB_FILTER_CMD_TYPE : s32 {
    ORB_FILTER_CMD_NOP = 0,
    ORB_FILTER_CMD_COPY = 1,
    ORB_FILTER_CMD_FILTER = 2,
    ORB_FILTER_CMD_USER_FUNC1 = 3,
    ORB_FILTER_CMD_USER_FUNC2 = 4,
    ORB_FILTER_CMD_USER_FUNC3 = 5,
    ORB_FILTER_CMD_USER_FUNC4 = 6,
};

// s_ORB_FILTER_CMD::flags
struct u_ORB_FILTER_FLAGS {
    static constexpr u32 Clear_Texture = 0x80000000u;  // the destination cleared to 0 first
    static constexpr u32 Set_Alpha = 0x40000000u;      // ... or to opaque black
    static constexpr u32 Mask_Alpha = 0x20000000u;     // the destination's alpha left alone
    static constexpr u32 Use_Rect = 0x10000000u;       // source texels (x, y) to (x + w, y + h)
    static constexpr u32 Use_Rect_For_Uv = 0x08000000u;
};

struct s_ORB_FILTER_ELEMENT {
    f32 offsetX, offsetY;  // in pixels, before the offset multiplier
    f32 value;             // negative values multiply rather than add; 0 draws nothing
};

// A kernel.
struct s_ORB_FILTER {
    f32 offsetMultiplier;
    f32 valueMultiplier;
    f32 upperIntensity;  // of a quad's top edge
    f32 lowerIntensity;  // of its bottom edge
    s32 numElements;
    const s_ORB_FILTER_ELEMENT* elementList;
};

struct s_ORB_FILTER_CMD {
    e_ORB_FILTER_CMD_TYPE cmd;
    u32 flags;  // u_ORB_FILTER_FLAGS
    e_COMBINE_MODE combine;
    e_ORB_FILTER_TEXTURE_TYPE src;
    e_ORB_FILTER_TEXTURE_TYPE dst;
    const s_ORB_FILTER* filter;
    s_Irect16 rect;
    s_Vector4 color;
};

// A working texture; `texture` is made on first use and kept while its mode is set.
struct s_ORB_FILTER_TEXTURE {
    s_texture* texture;
    u32 width, height;  // 0: the screen's size
    u32 depth;
};

struct s_ORB_FILTER_MODE_DEF {
    s_ORB_FILTER_TEXTURE textureList[ORB_FILTER_TEXTURE_COUNT];  // by texture type
    s_ORB_FILTER_CMD drawCmd;                                    // the composite
    s32 numCmds;
    const s_ORB_FILTER_CMD* cmdList;
};

// The records of modes ORB_FILTER_MODE_TEST and up, and the kernels they use.
constexpr s32 ORB_FILTER_MODE_RECORDS = ORB_FILTER_MODE_COUNT - ORB_FILTER_MODE_TEST;
extern s_ORB_FILTER_MODE_DEF OrbFilterModes[ORB_FILTER_MODE_RECORDS];
extern const s_ORB_FILTER FilterSmallBox, FilterBox, FilterCircle, FilterCircle2, FilterEdge;

using OrbFilterUserFunc = void (*)(s_texture* dst, s_texture* src, const s_ORB_FILTER* filter,
                                   const s_ORB_FILTER_CMD* cmd);

class COrbFrameFilter {
public:
    static constexpr s32 USER_FUNCS = 4;

    s32 ColdReset();
    // No mode, no record, no tasks; the records' textures are forgotten (they went
    // with the heap).
    void WarmReset();
    // Returns the previous mode. USER_DEFINED is refused with a warning; a mode with
    // no record is refused with a message.
    e_ORB_FILTER_MODE Set(e_ORB_FILTER_MODE mode);
    // Frees the old record's textures; with a record the two tasks run, without
    // they stop.
    void SetFilter(s_ORB_FILTER_MODE_DEF* filter);

    // The mode's command list, then its draw command: what the two tasks run.
    void Update();
    void Draw();

    e_ORB_FILTER_MODE m_Mode;
    s_ORB_FILTER_MODE_DEF* m_Filter;
    s_thread* m_UpdateThreadPtr;
    s_thread* m_DrawThreadPtr;
    u32 m_UpdatePriority;
    u32 m_DrawPriority;
    s_texture* m_RenderTarget;  // m_FBTexture: the picture itself
    s_texture* m_FBTexture;
    OrbFilterUserFunc m_userFuncTable[USER_FUNCS];

private:
    s_texture* GetTexture(e_ORB_FILTER_TEXTURE_TYPE type);
    void SetRenderTarget(s_texture* target);
    void RunCmd(const s_ORB_FILTER_CMD* cmd);
    void Copy(s_texture* dst, s_texture* src, const s_Irect16* rect, const s_Vector4* color,
              e_COMBINE_MODE combine, u32 flags);
    void Filter(s_texture* dst, s_texture* src, const s_ORB_FILTER* filter, u32 flags);
    // Clears the destination and sets the alpha mask as the flags ask; returns the
    // mask to restore.
    u32 PrepareDestination(s_texture* dst, u32 flags);
    // The destination's area in pixels.
    s_Irect16 Area(s_texture* dst) const;
};

extern COrbFrameFilter OrbFrameFilter;
