// The draw context: the one global record of the current drawing state, the
// enumerations of the draw API, and the render-state setters. Every setter returns
// the previous value, skips the hardware when the value is unchanged and honours
// the context's lock bits.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_viewport;  // DrawViewport.h
struct s_texture;   // the texture module
// The immediate-mode primitive types, defined with the immediate mode (DrawPrim.h).
enum e_prim_type : s32;

enum e_PROJ_MODE : s32 {
    DC_PROJ_ORTHO = 0,  // 2-D screen coordinates
    DC_PROJ_3D = 1,
    DC_PROJ_COUNT = 2,
    DC_PROJ_INVALID = 0x7FFFFFFF,
};

enum e_CULL_MODE : s32 {
    DC_CULL_FRONT = 0,
    DC_CULL_BACK = 1,
    DC_CULL_NONE = 2,
    DC_CULL_COUNT = 3,
    DC_CULL_INVALID = 0x7FFFFFFF,
};

enum e_ZBUF_MODE : s32 {
    DC_ZMODE_ALWAYS = 0,
    DC_ZMODE_LESS = 1,
    DC_ZMODE_LESS_EQUAL = 2,
    DC_ZMODE_COUNT = 3,
    DC_ZMODE_INVALID = 0x7FFFFFFF,
};

enum e_COMBINE_MODE : s32 {
    DC_COMBINE_OVERWRITE = 0,
    DC_COMBINE_ALPHA = 1,
    DC_COMBINE_ALPHA_ADD = 2,
    DC_COMBINE_ADD = 3,
    DC_COMBINE_NO_WRITE = 4,
    DC_COMBINE_SUBTRACT = 5,
    DC_COMBINE_ALPHA_SUBTRACT = 6,
    DC_COMBINE_STENCIL = 7,
    DC_COMBINE_ALPHA_STENCIL = 8,
    DC_COMBINE_ALPHA_ADD_STENCIL = 9,
    DC_COMBINE_HAIR_PASS1 = 10,
    DC_COMBINE_HAIR_PASS2 = 11,
    DC_COMBINE_ALPHA_CUTOUT = 12,
    DC_COMBINE_COUNT = 13,
    DC_COMBINE_INVALID = 0x7FFFFFFF,
};

enum e_STENCIL_MODE : s32 {
    DC_STENCIL_ON = 0,
    DC_STENCIL_OFF = 255,
    DC_STENCIL_COUNT = 2,
    DC_STENCIL_INVALID = 0x7FFFFFFF,
};

enum e_POLYGON_MODE : s32 {
    DC_POLY_DRAW_POINT = 0,
    DC_POLY_DRAW_LINE = 1,
    DC_POLY_DRAW_FILL = 2,
    DC_POLY_DRAW_FAST = 3,
    DC_POLY_DRAW_PROJECT = 4,
    DC_POLY_DRAW_COUNT = 5,
    DC_POLY_DRAW_INVALID = 0x7FFFFFFF,
};

enum e_TEXTURE_WRAP_MODE : s32 {
    DC_TEXTURE_WRAP_TILE = 0,
    DC_TEXTURE_WRAP_MIRROR = 1,
    DC_TEXTURE_WRAP_CLAMP = 2,
    DC_TEXTURE_WRAP_BORDER = 3,
    DC_TEXTURE_WRAP_MIRRORONCE = 4,
    DC_TEXTURE_WRAP_COUNT = 5,
    DC_TEXTURE_WRAP_INVALID = 0x7FFFFFFF,
};

enum e_TEXTURE_FILTER_MODE : s32 {
    DC_TEXTURE_FILTER_NONE = 0,
    DC_TEXTURE_FILTER_POINT = 1,
    DC_TEXTURE_FILTER_LINEAR = 2,
    DC_TEXTURE_FILTER_ANISOTROPIC = 3,
    DC_TEXTURE_FILTER_PYRAMIDALQUAD = 4,
    DC_TEXTURE_FILTER_GAUSSIANQUAD = 5,
    DC_TEXTURE_FILTER_COUNT = 6,
    DC_TEXTURE_FILTER_INVALID = 0x7FFFFFFF,
};

// Bit flags: the planes that reject or cross a shape.
enum e_clip_mode : s32 {
    DC_CLIP_NONE = 0,
    DC_CLIP_RIGHT = 1,
    DC_CLIP_LEFT = 2,
    DC_CLIP_TOP = 4,
    DC_CLIP_BOTTOM = 8,
    DC_CLIP_FAR = 16,
    DC_CLIP_NEAR = 32,
    DC_CLIP_COMPLETELY_INSIDE = 64,
    DC_CLIP_VEIL = 128,
    DC_CLIP_COMPLETELY_INSIDE_VEIL = 256,
};

enum e_screen_aspect : s32 {
    DC_SCREEN_ASPECT_4x3 = 0,
    DC_SCREEN_ASPECT_16x9 = 1,
    DC_SCREEN_ASPECT_16x10 = 2,
};

// The context's flag word (bit 31 first).
struct u_draw_flags {
    static constexpr u32 TextureEnabled = 0x80000000u;
    static constexpr u32 LightEnabled = 0x40000000u;
    static constexpr u32 FogEnabled = 0x20000000u;
    static constexpr u32 DrawEnabled = 0x10000000u;
    static constexpr u32 TextureOn = 0x08000000u;  // immediate vertices carry texture coordinates
    static constexpr u32 LightOn = 0x04000000u;
    static constexpr u32 TextureMatrixEnabled = 0x02000000u;
    static constexpr u32 ZbufferWriteLocked = 0x01000000u;
    static constexpr u32 MaterialLocked = 0x00800000u;
    static constexpr u32 Combine_Mode_Locked = 0x00400000u;
    static constexpr u32 Cull_Mode_Locked = 0x00200000u;
    static constexpr u32 ZBuffer_Mode_Locked = 0x00100000u;
    static constexpr u32 ZBuffer_Write_Mode_Locked = 0x00080000u;
    static constexpr u32 Stencil_Mode_Locked = 0x00040000u;
    static constexpr u32 Lighting_Mode_Locked = 0x00020000u;
    static constexpr u32 Polygon_Mode_Locked = 0x00010000u;
    static constexpr u32 Texture_Locked = 0x00008000u;
};

struct u_draw_mode {
    static constexpr u32 Light = 0x80000000u;
    static constexpr u32 Gouraud = 0x40000000u;
    static constexpr u32 Texture = 0x20000000u;
    static constexpr u32 Fog = 0x10000000u;
    static constexpr u32 Cull = 0x08000000u;
    static constexpr u32 Fast = 0x04000000u;
};

// The video-mode word (bit 31 first): width/16 31..25, height/16 24..18, colour
// bits/8 17..15, depth bits/8 14..12, interlace 11..10, gamma 9..8, stencil 7,
// dither 6, variable rate 5, 50 Hz 4.
struct u_video_mode {
    u32 word;

    u32 width() const { return word >> 25; }
    u32 height() const { return (word >> 18) & 0x7Fu; }
    u32 depth() const { return (word >> 15) & 0x7u; }
    u32 zdepth() const { return (word >> 12) & 0x7u; }
    u32 interlaceMode() const { return (word >> 10) & 0x3u; }
    u32 gammaMode() const { return (word >> 8) & 0x3u; }
    u32 stencilMode() const { return (word >> 7) & 0x1u; }
    u32 ditherMode() const { return (word >> 6) & 0x1u; }
    u32 variableRate() const { return (word >> 5) & 0x1u; }
    u32 palRefreshRate() const { return (word >> 4) & 0x1u; }
    void setDepth(u32 d) { word = (word & ~(0x7u << 15)) | ((d & 0x7u) << 15); }
};

// A rectangle in screen pixels.
struct s_Irect16 {
    s16 x, y, w, h;
};

// One immediate-mode vertex. It lives here because the context holds scratch
// vertices by value; the immediate mode (DrawPrim.h) draws them.
struct s_draw_vertex {
    s_Vector4 coord;
    s_Vector3 normal;
    u32 index;
    u32 color;  // 0xRRGGBBAA
    f32 u, v;
};

struct u_light_flags {
    static constexpr u32 light_in_use = 0x80000000u;
    static constexpr u32 light_ambient = 0x40000000u;
    static constexpr u32 light_diffuse = 0x20000000u;
    static constexpr u32 light_specular = 0x10000000u;
    static constexpr u32 light_directional = 0x08000000u;
    static constexpr u32 light_positional = 0x04000000u;
    static constexpr u32 light_cast_shadow = 0x02000000u;
    static constexpr u32 light_attenuate = 0x01000000u;
    static constexpr u32 light_extra = 0x00800000u;
    static constexpr u32 light_spotlight = 0x00400000u;
};

struct u_draw_shadow_flags {
    static constexpr u32 no_shadow = 0x80000000u;
    static constexpr u32 projected_shadow = 0x40000000u;
    static constexpr u32 blob_shadow = 0x20000000u;
};

struct s_draw_light {
    s_Vector4 diffuse;
    s_Vector4 specular;
    s_Vector4 position;
    s_Vector4 direction;
    u32 flags;  // u_light_flags
    f32 distance;
    f32 intensity;
    f32 angle;        // spot angle in degrees
    u32 shadowFlags;  // u_draw_shadow_flags
    f32 shadowIntensity;
};

// The sampling a texture stage binds with.
struct s_sampler_state {
    s_texture* texture;
    e_TEXTURE_WRAP_MODE wrapMode[3];
    e_TEXTURE_FILTER_MODE filterMode;
};

struct s_Ivector2 {
    s32 x, y;
};

constexpr s32 DRAW_MAX_LIGHTS = 8;
constexpr s32 DRAW_MAX_SAMPLERS = 8;
constexpr s32 DRAW_STAT_COUNT = 10;
constexpr s32 DRAW_STAT_POLYGONS = 0;  // the stats slot the mesh draws count triangles in

struct s_draw_context {
    s_Matrix4 textureMatrix;
    s_Vector4 ambientColorVect;  // 0..1 per channel
    s_Vector4 colorVect;         // the flat colour, 0..1 per channel
    s_draw_light lights[DRAW_MAX_LIGHTS];
    s_draw_vertex verts[4];  // scratch corners of the 2-D primitives
    s_draw_vertex vertex;    // scratch vertex of the ready-made primitives
    s_Ivector2 screenSize;
    s_Ivector2 screenCenter;
    s_Vector2 screenAspectRatio;  // width/height, height/width
    s_Ivector2 screenTitleSafe;
    s_viewport* viewport;  // the current viewport
    s32 frameBufferCount;
    u_video_mode videoMode;
    u32 flags;     // u_draw_flags
    u32 drawMode;  // u_draw_mode
    e_POLYGON_MODE polygonMode;
    e_PROJ_MODE projectionMode;
    e_CULL_MODE cullMode;
    e_ZBUF_MODE zBufferMode;
    e_COMBINE_MODE combineMode;
    e_STENCIL_MODE stencilMode;
    e_clip_mode clipMode;
    e_screen_aspect screenAspectMode;
    s32 zBufferWriteEnable;
    u32 scissorMask;
    u32 rgbaMask;
    e_prim_type primType;
    s_texture* texture;  // the current texture
    s_sampler_state samplerStateList[DRAW_MAX_SAMPLERS];
    u32 color;  // 0xRRGGBBAA
    u32 ambientColor;
    u32 fogColor;
    f32 fogNearZ;
    f32 fogFarZ;
    s32 matrixStackDepth;
    void* materialList;
    s32 numClipPlanes;
    s32 numLights;
    f32 FSAAPercent;
    s32 multiSampleEnable;
    u8* vramLoMem;
    u8* vramHiMem;
    f32 maxDepth;
    u32 stats[DRAW_STAT_COUNT];
    u32 lastFramePolyCount;
    u32 lastFrameVertCount;
};
extern s_draw_context DrawContext;

// Render-state setters; each returns the previous value.
e_COMBINE_MODE DrawSetCombineMode(e_COMBINE_MODE mode);
e_ZBUF_MODE DrawSetZBufferMode(e_ZBUF_MODE mode);
s32 DrawSetZBufferWrite(s32 on);
e_CULL_MODE DrawSetCullMode(e_CULL_MODE mode);
e_STENCIL_MODE DrawSetStencilMode(e_STENCIL_MODE mode);
u32 DrawSetRgbaMask(u32 mask);
s32 DrawSetDestinationAlphaTest(s32 on);
e_TEXTURE_WRAP_MODE DrawSetTextureWrapMode(e_TEXTURE_WRAP_MODE mode);
e_TEXTURE_FILTER_MODE DrawSetTextureFilterMode(e_TEXTURE_FILTER_MODE mode);
u32 DrawSetFlatColor(u32 rgba);
u32 DrawSetFlatColorV(const s_Vector4* rgba);   // components clamped to 0..1
u32 DrawSetFog(u32 rgba, f32 nearZ, f32 farZ);  // returns the previous fog colour
e_STENCIL_MODE DrawFrameFilterEnable(s32 on);
s32 DrawEnableTexture(s32 on);
// The texture of the next draws (none while TextureEnabled is clear); sends the
// vertices collected so far when it changes. Returns the previous one.
s_texture* DrawSetTexture(s_texture* texture, s32 stage = 0);
// Null: texture coordinates pass unchanged; otherwise only the matrix's translation
// scrolls them.
void DrawSetTextureMatrix(const s_Matrix4* matrix);
u32 DrawSetScissor(u32 mask);
// Redirects drawing into the texture's corner of the picture (TextureRenderStart)
// through `viewport`, or a temporary viewport over that corner; depth writes off
// and depth compare always until the end. 0, with nothing started, when the target
// is refused or no viewport is free.
s32 DrawStartRenderToTexture(s_texture* texture, s_viewport* viewport = nullptr);
// Puts back depth, viewport and the picture and fills the target; nothing when no
// render to texture is open.
void DrawEndRenderToTexture();
// Fills the texture's area (0, 0, width, height) with `rgba`, untextured: a clear
// of the target while rendering into it. Flat colour, combine mode and projection
// are put back; the texture stays unset.
void DrawClearTexture(const s_texture* texture, u32 rgba);

// Lock bits. Each returns whether the lock was set.
s32 DrawLockZBufferWrite(s32 on);
s32 DrawLockCombineMode(s32 on);
s32 DrawLockCullMode();
s32 DrawUnlockCullMode();
s32 DrawLockStencilMode();  // nothing clears it

// True while a flat colour other than opaque white is set.
bool DrawFlatColorActive();

// Empty on this platform.
void DrawSetCombineMode2(e_COMBINE_MODE mode);
s32 DrawEnableFog(s32 on);                  // returns 0
void DrawGetSpriteScale(s_Vector2* scale);  // (1, 1)

struct s_depth_offset {
    f32 factor;  // slope
    f32 offset;
};
// The depth bias asked for last; nothing draws with it on this platform.
extern s_depth_offset DrawDepthOffset;
// Records the bias in DrawDepthOffset; returns 0.0.
f32 DrawSetDepthOffset(f32 factor, f32 offset);
