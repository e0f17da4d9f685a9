// GX: the graphics processor, as a software pipeline on the program thread.
//
// Drawing is synchronous: every primitive is transformed, lit, clipped and
// rasterised into the embedded frame buffer before GXEnd returns, so draw-sync
// tokens are written at once and the draw-done interrupt arrives at the next poll
// point. The command FIFO objects exist for the calls that name them.
//
// Conventions:
// - Matrices are row-major (console/mtx.h); points are column vectors.
// - Clip space: -w <= x, y <= w and -w <= z <= 0 (z/w = -1 at the near plane,
//   0 at the far plane). The viewport maps x/w = -1 to its left edge and
//   y/w = +1 to its top edge (window y grows downwards).
// - Winding: a triangle is FRONT-facing when its window-space vertices run
//   clockwise as seen on the screen (x right, y down: positive
//   (x1-x0)(y2-y0) - (x2-x0)(y1-y0)). Geometry wound counter-clockwise as seen
//   from its front is therefore GX's back face, so a renderer that keeps
//   counter-clockwise faces culls with GX_CULL_FRONT.
// - Display lists record primitives only (GXBegin .. GXEnd); state calls made
//   while a list is open take effect at once. A list is replayed with the vertex
//   descriptor and formats current at GXCallDisplayList, as on the hardware.
//
// Enumeration values follow the console's numbering where the engine passes raw
// codes (primitives 0x80..0xB8, TEV inputs, texture matrix slots 30..57).
#pragma once

#include "console/mtx.h"
#include "console/types.h"

using GXBool = u8;
constexpr GXBool GX_FALSE = 0;
constexpr GXBool GX_TRUE = 1;
constexpr GXBool GX_DISABLE = 0;
constexpr GXBool GX_ENABLE = 1;

struct GXColor {
    u8 r, g, b, a;
};

struct GXColorS10 {
    s16 r, g, b, a;  // -1024..1023
};

// Filled by the GXInitLight* calls; load with GXLoadLightObjImm.
struct GXLightObj {
    f32 pos[3];  // view space
    f32 dir[3];  // spot direction, or the specular half-angle
    f32 a[3];    // angle attenuation a0 + a1 c + a2 c^2
    f32 k[3];    // distance attenuation k0 + k1 d + k2 d^2
    GXColor color;
};

struct GXFifoObj {
    u8* base;
    u32 size;
    u8* readPtr;
    u8* writePtr;
};

// External frame buffer modes (VI).
constexpr u32 VI_XFBMODE_SF = 0;  // single field
constexpr u32 VI_XFBMODE_DF = 1;  // double field

struct GXRenderModeObj {
    u32 viTVmode;  // VI_TVMODE_*
    u16 fbWidth;
    u16 efbHeight;
    u16 xfbHeight;
    u16 viXOrigin;
    u16 viYOrigin;
    u16 viWidth;
    u16 viHeight;
    u32 xFBmode;  // VI_XFBMODE_*
    u8 field_rendering;
    u8 aa;
    u8 sample_pattern[12][2];
    u8 vfilter[7];
};

extern GXRenderModeObj GXNtsc480IntDf;
extern GXRenderModeObj GXNtsc480Int;
extern GXRenderModeObj GXNtsc480Prog;

// ---- Enumerations ------------------------------------------------------------
// clang-format off

enum GXPrimitive : u8 {
    GX_QUADS = 0x80,
    GX_TRIANGLES = 0x90,
    GX_TRIANGLESTRIP = 0x98,
    GX_TRIANGLEFAN = 0xA0,
    GX_LINES = 0xA8,
    GX_LINESTRIP = 0xB0,
    GX_POINTS = 0xB8,
};

enum GXVtxFmt : u8 {
    GX_VTXFMT0, GX_VTXFMT1, GX_VTXFMT2, GX_VTXFMT3,
    GX_VTXFMT4, GX_VTXFMT5, GX_VTXFMT6, GX_VTXFMT7,
    GX_MAX_VTXFMT,
};

enum GXAttr : u8 {
    GX_VA_POS = 9,
    GX_VA_NRM = 10,
    GX_VA_CLR0 = 11,
    GX_VA_CLR1 = 12,
    GX_VA_TEX0 = 13, GX_VA_TEX1, GX_VA_TEX2, GX_VA_TEX3,
    GX_VA_TEX4, GX_VA_TEX5, GX_VA_TEX6, GX_VA_TEX7,
};

// Vertex data is sent directly (no vertex arrays).
enum GXAttrType : u8 {
    GX_NONE = 0,
    GX_DIRECT = 1,
};

enum GXCompCnt : u8 {
    GX_POS_XY = 0,
    GX_POS_XYZ = 1,
    GX_NRM_XYZ = 0,
    GX_CLR_RGB = 0,
    GX_CLR_RGBA = 1,
    GX_TEX_S = 0,
    GX_TEX_ST = 1,
};

// Scalar types (position, texture coordinates, normals) and colour types.
// Normals take fixed fractions: s8 1/64, s16 1/16384.
enum GXCompType : u8 {
    GX_U8 = 0,
    GX_S8 = 1,
    GX_U16 = 2,
    GX_S16 = 3,
    GX_F32 = 4,

    GX_RGB8 = 1,
    GX_RGBX8 = 2,
    GX_RGBA8 = 5,
};

enum GXPosNrmMtx : u32 {
    GX_PNMTX0 = 0, GX_PNMTX1 = 3, GX_PNMTX2 = 6, GX_PNMTX3 = 9, GX_PNMTX4 = 12,
    GX_PNMTX5 = 15, GX_PNMTX6 = 18, GX_PNMTX7 = 21, GX_PNMTX8 = 24, GX_PNMTX9 = 27,
};

enum GXTexMtx : u32 {
    GX_TEXMTX0 = 30, GX_TEXMTX1 = 33, GX_TEXMTX2 = 36, GX_TEXMTX3 = 39, GX_TEXMTX4 = 42,
    GX_TEXMTX5 = 45, GX_TEXMTX6 = 48, GX_TEXMTX7 = 51, GX_TEXMTX8 = 54, GX_TEXMTX9 = 57,
    GX_IDENTITY = 60,
};

enum GXPTTexMtx : u32 {
    GX_PTTEXMTX0 = 64, GX_PTTEXMTX1 = 67, GX_PTTEXMTX2 = 70, GX_PTTEXMTX3 = 73,
    GX_PTTEXMTX4 = 76, GX_PTTEXMTX5 = 79, GX_PTTEXMTX6 = 82, GX_PTTEXMTX7 = 85,
    GX_PTTEXMTX8 = 88, GX_PTTEXMTX9 = 91, GX_PTTEXMTX10 = 94, GX_PTTEXMTX11 = 97,
    GX_PTTEXMTX12 = 100, GX_PTTEXMTX13 = 103, GX_PTTEXMTX14 = 106, GX_PTTEXMTX15 = 109,
    GX_PTTEXMTX16 = 112, GX_PTTEXMTX17 = 115, GX_PTTEXMTX18 = 118, GX_PTTEXMTX19 = 121,
    GX_PTIDENTITY = 125,
};

enum GXTexMtxType : u8 {
    GX_MTX3x4 = 0,
    GX_MTX2x4 = 1,
};

enum GXProjectionType : u8 {
    GX_PERSPECTIVE = 0,
    GX_ORTHOGRAPHIC = 1,
};

enum GXCullMode : u8 {
    GX_CULL_NONE = 0,
    GX_CULL_FRONT = 1,
    GX_CULL_BACK = 2,
    GX_CULL_ALL = 3,
};

enum GXCompare : u8 {
    GX_NEVER, GX_LESS, GX_EQUAL, GX_LEQUAL, GX_GREATER, GX_NEQUAL, GX_GEQUAL, GX_ALWAYS,
};

enum GXAlphaOp : u8 {
    GX_AOP_AND, GX_AOP_OR, GX_AOP_XOR, GX_AOP_XNOR,
};

enum GXBlendMode : u8 {
    GX_BM_NONE, GX_BM_BLEND, GX_BM_LOGIC, GX_BM_SUBTRACT,
};

// Factor 2/3 is the destination colour as a source factor and the source colour
// as a destination factor (and inverted).
enum GXBlendFactor : u8 {
    GX_BL_ZERO = 0,
    GX_BL_ONE = 1,
    GX_BL_SRCCLR = 2,
    GX_BL_DSTCLR = 2,
    GX_BL_INVSRCCLR = 3,
    GX_BL_INVDSTCLR = 3,
    GX_BL_SRCALPHA = 4,
    GX_BL_INVSRCALPHA = 5,
    GX_BL_DSTALPHA = 6,
    GX_BL_INVDSTALPHA = 7,
};

enum GXLogicOp : u8 {
    GX_LO_CLEAR, GX_LO_AND, GX_LO_REVAND, GX_LO_COPY, GX_LO_INVAND, GX_LO_NOOP,
    GX_LO_XOR, GX_LO_OR, GX_LO_NOR, GX_LO_EQUIV, GX_LO_INV, GX_LO_REVOR,
    GX_LO_INVCOPY, GX_LO_INVOR, GX_LO_NAND, GX_LO_SET,
};

enum GXPixelFmt : u8 {
    GX_PF_RGB8_Z24 = 0,
    GX_PF_RGBA6_Z24 = 1,
    GX_PF_RGB565_Z16 = 2,
};

enum GXZFmt16 : u8 {
    GX_ZC_LINEAR, GX_ZC_NEAR, GX_ZC_MID, GX_ZC_FAR,
};

enum GXFogType : u8 {
    GX_FOG_NONE = 0x00,
    GX_FOG_PERSP_LIN = 0x02,
    GX_FOG_LIN = 0x02,
    GX_FOG_PERSP_EXP = 0x04,
    GX_FOG_PERSP_EXP2 = 0x05,
    GX_FOG_PERSP_REVEXP = 0x06,
    GX_FOG_PERSP_REVEXP2 = 0x07,
    GX_FOG_ORTHO_LIN = 0x0A,
    GX_FOG_ORTHO_EXP = 0x0C,
    GX_FOG_ORTHO_EXP2 = 0x0D,
    GX_FOG_ORTHO_REVEXP = 0x0E,
    GX_FOG_ORTHO_REVEXP2 = 0x0F,
};

enum GXGamma : u8 {
    GX_GM_1_0, GX_GM_1_7, GX_GM_2_2,
};

// Colour channels.
enum GXChannelID : u8 {
    GX_COLOR0 = 0,
    GX_COLOR1 = 1,
    GX_ALPHA0 = 2,
    GX_ALPHA1 = 3,
    GX_COLOR0A0 = 4,
    GX_COLOR1A1 = 5,
    GX_COLOR_ZERO = 6,
    GX_COLOR_NULL = 0xFF,
};

enum GXColorSrc : u8 {
    GX_SRC_REG = 0,
    GX_SRC_VTX = 1,
};

enum GXLightID : u8 {
    GX_LIGHT_NULL = 0x00,
    GX_LIGHT0 = 0x01, GX_LIGHT1 = 0x02, GX_LIGHT2 = 0x04, GX_LIGHT3 = 0x08,
    GX_LIGHT4 = 0x10, GX_LIGHT5 = 0x20, GX_LIGHT6 = 0x40, GX_LIGHT7 = 0x80,
};

enum GXDiffuseFn : u8 {
    GX_DF_NONE, GX_DF_SIGN, GX_DF_CLAMP,
};

enum GXAttnFn : u8 {
    GX_AF_SPEC = 0,
    GX_AF_SPOT = 1,
    GX_AF_NONE = 2,
};

enum GXSpotFn : u8 {
    GX_SP_OFF, GX_SP_FLAT, GX_SP_COS, GX_SP_COS2, GX_SP_SHARP, GX_SP_RING1, GX_SP_RING2,
};

enum GXDistAttnFn : u8 {
    GX_DA_OFF, GX_DA_GENTLE, GX_DA_MEDIUM, GX_DA_STEEP,
};

// Texture-coordinate generation.
enum GXTexCoordID : u8 {
    GX_TEXCOORD0, GX_TEXCOORD1, GX_TEXCOORD2, GX_TEXCOORD3,
    GX_TEXCOORD4, GX_TEXCOORD5, GX_TEXCOORD6, GX_TEXCOORD7,
    GX_MAX_TEXCOORD,
    GX_TEXCOORD_NULL = 0xFF,
};

enum GXTexGenType : u8 {
    GX_TG_MTX3x4 = 0,
    GX_TG_MTX2x4 = 1,
};

enum GXTexGenSrc : u8 {
    GX_TG_POS = 0,
    GX_TG_NRM = 1,
    GX_TG_TEX0 = 4, GX_TG_TEX1, GX_TG_TEX2, GX_TG_TEX3,
    GX_TG_TEX4, GX_TG_TEX5, GX_TG_TEX6, GX_TG_TEX7,
};

enum GXTexMapID : u16 {
    GX_TEXMAP0, GX_TEXMAP1, GX_TEXMAP2, GX_TEXMAP3,
    GX_TEXMAP4, GX_TEXMAP5, GX_TEXMAP6, GX_TEXMAP7,
    GX_MAX_TEXMAP,
    GX_TEXMAP_NULL = 0xFF,
};

// TEV.
enum GXTevStageID : u8 {
    GX_TEVSTAGE0, GX_TEVSTAGE1, GX_TEVSTAGE2, GX_TEVSTAGE3,
    GX_TEVSTAGE4, GX_TEVSTAGE5, GX_TEVSTAGE6, GX_TEVSTAGE7,
    GX_TEVSTAGE8, GX_TEVSTAGE9, GX_TEVSTAGE10, GX_TEVSTAGE11,
    GX_TEVSTAGE12, GX_TEVSTAGE13, GX_TEVSTAGE14, GX_TEVSTAGE15,
    GX_MAX_TEVSTAGE,
};

enum GXTevMode : u8 {
    GX_MODULATE, GX_DECAL, GX_BLEND, GX_REPLACE, GX_PASSCLR,
};

enum GXTevColorArg : u8 {
    GX_CC_CPREV, GX_CC_APREV, GX_CC_C0, GX_CC_A0, GX_CC_C1, GX_CC_A1, GX_CC_C2, GX_CC_A2,
    GX_CC_TEXC, GX_CC_TEXA, GX_CC_RASC, GX_CC_RASA, GX_CC_ONE, GX_CC_HALF, GX_CC_KONST,
    GX_CC_ZERO,
};

enum GXTevAlphaArg : u8 {
    GX_CA_APREV, GX_CA_A0, GX_CA_A1, GX_CA_A2, GX_CA_TEXA, GX_CA_RASA, GX_CA_KONST,
    GX_CA_ZERO,
};

// Output = d op ((1 - c) a + c b), biased and scaled; the comparisons output
// d + (a cmp b ? c : 0).
enum GXTevOp : u8 {
    GX_TEV_ADD = 0,
    GX_TEV_SUB = 1,
    GX_TEV_COMP_R8_GT = 8,
    GX_TEV_COMP_R8_EQ = 9,
    GX_TEV_COMP_GR16_GT = 10,
    GX_TEV_COMP_GR16_EQ = 11,
    GX_TEV_COMP_BGR24_GT = 12,
    GX_TEV_COMP_BGR24_EQ = 13,
    GX_TEV_COMP_RGB8_GT = 14,
    GX_TEV_COMP_RGB8_EQ = 15,
    GX_TEV_COMP_A8_GT = 14,
    GX_TEV_COMP_A8_EQ = 15,
};

enum GXTevBias : u8 {
    GX_TB_ZERO, GX_TB_ADDHALF, GX_TB_SUBHALF,
};

enum GXTevScale : u8 {
    GX_CS_SCALE_1, GX_CS_SCALE_2, GX_CS_SCALE_4, GX_CS_DIVIDE_2,
};

enum GXTevRegID : u8 {
    GX_TEVPREV, GX_TEVREG0, GX_TEVREG1, GX_TEVREG2,
};

enum GXTevKColorID : u8 {
    GX_KCOLOR0, GX_KCOLOR1, GX_KCOLOR2, GX_KCOLOR3,
};

enum GXTevKColorSel : u8 {
    GX_TEV_KCSEL_8_8 = 0x00, GX_TEV_KCSEL_7_8, GX_TEV_KCSEL_6_8, GX_TEV_KCSEL_5_8,
    GX_TEV_KCSEL_4_8, GX_TEV_KCSEL_3_8, GX_TEV_KCSEL_2_8, GX_TEV_KCSEL_1_8,
    GX_TEV_KCSEL_1 = 0x00, GX_TEV_KCSEL_3_4 = 0x02, GX_TEV_KCSEL_1_2 = 0x04,
    GX_TEV_KCSEL_1_4 = 0x06,
    GX_TEV_KCSEL_K0 = 0x0C, GX_TEV_KCSEL_K1, GX_TEV_KCSEL_K2, GX_TEV_KCSEL_K3,
    GX_TEV_KCSEL_K0_R = 0x10, GX_TEV_KCSEL_K1_R, GX_TEV_KCSEL_K2_R, GX_TEV_KCSEL_K3_R,
    GX_TEV_KCSEL_K0_G = 0x14, GX_TEV_KCSEL_K1_G, GX_TEV_KCSEL_K2_G, GX_TEV_KCSEL_K3_G,
    GX_TEV_KCSEL_K0_B = 0x18, GX_TEV_KCSEL_K1_B, GX_TEV_KCSEL_K2_B, GX_TEV_KCSEL_K3_B,
    GX_TEV_KCSEL_K0_A = 0x1C, GX_TEV_KCSEL_K1_A, GX_TEV_KCSEL_K2_A, GX_TEV_KCSEL_K3_A,
};

enum GXTevKAlphaSel : u8 {
    GX_TEV_KASEL_8_8 = 0x00, GX_TEV_KASEL_7_8, GX_TEV_KASEL_6_8, GX_TEV_KASEL_5_8,
    GX_TEV_KASEL_4_8, GX_TEV_KASEL_3_8, GX_TEV_KASEL_2_8, GX_TEV_KASEL_1_8,
    GX_TEV_KASEL_1 = 0x00, GX_TEV_KASEL_3_4 = 0x02, GX_TEV_KASEL_1_2 = 0x04,
    GX_TEV_KASEL_1_4 = 0x06,
    GX_TEV_KASEL_K0_R = 0x10, GX_TEV_KASEL_K1_R, GX_TEV_KASEL_K2_R, GX_TEV_KASEL_K3_R,
    GX_TEV_KASEL_K0_G = 0x14, GX_TEV_KASEL_K1_G, GX_TEV_KASEL_K2_G, GX_TEV_KASEL_K3_G,
    GX_TEV_KASEL_K0_B = 0x18, GX_TEV_KASEL_K1_B, GX_TEV_KASEL_K2_B, GX_TEV_KASEL_K3_B,
    GX_TEV_KASEL_K0_A = 0x1C, GX_TEV_KASEL_K1_A, GX_TEV_KASEL_K2_A, GX_TEV_KASEL_K3_A,
};

enum GXTevSwapSel : u8 {
    GX_TEV_SWAP0, GX_TEV_SWAP1, GX_TEV_SWAP2, GX_TEV_SWAP3,
};

enum GXTevColorChan : u8 {
    GX_CH_RED, GX_CH_GREEN, GX_CH_BLUE, GX_CH_ALPHA,
};


// Textures.
enum GXTexFmt : u32 {
    GX_TF_I4 = 0x0, GX_TF_I8 = 0x1, GX_TF_IA4 = 0x2, GX_TF_IA8 = 0x3,
    GX_TF_RGB565 = 0x4, GX_TF_RGB5A3 = 0x5, GX_TF_RGBA8 = 0x6, GX_TF_CMPR = 0xE,
};

enum GXCITexFmt : u32 {
    GX_TF_C4 = 0x8, GX_TF_C8 = 0x9, GX_TF_C14X2 = 0xA,
};

enum GXTexWrapMode : u8 {
    GX_CLAMP, GX_REPEAT, GX_MIRROR,
};

enum GXTexFilter : u8 {
    GX_NEAR, GX_LINEAR, GX_NEAR_MIP_NEAR, GX_LIN_MIP_NEAR, GX_NEAR_MIP_LIN, GX_LIN_MIP_LIN,
};

enum GXAnisotropy : u8 {
    GX_ANISO_1, GX_ANISO_2, GX_ANISO_4,
};

enum GXTlutFmt : u8 {
    GX_TL_IA8, GX_TL_RGB565, GX_TL_RGB5A3,
};

enum GXTlut : u32 {
    GX_TLUT0, GX_TLUT1, GX_TLUT2, GX_TLUT3, GX_TLUT4, GX_TLUT5, GX_TLUT6, GX_TLUT7,
    GX_TLUT8, GX_TLUT9, GX_TLUT10, GX_TLUT11, GX_TLUT12, GX_TLUT13, GX_TLUT14, GX_TLUT15,
    GX_BIGTLUT0, GX_BIGTLUT1, GX_BIGTLUT2, GX_BIGTLUT3,
};

// Palette region sizes in 16-entry units.
enum GXTlutSize : u32 {
    GX_TLUT_16 = 1, GX_TLUT_32 = 2, GX_TLUT_64 = 4, GX_TLUT_128 = 8, GX_TLUT_256 = 16,
    GX_TLUT_512 = 32, GX_TLUT_1K = 64, GX_TLUT_2K = 128, GX_TLUT_4K = 256, GX_TLUT_8K = 512,
    GX_TLUT_16K = 1024,
};

enum GXTexCacheSize : u8 {
    GX_TEXCACHE_32K, GX_TEXCACHE_128K, GX_TEXCACHE_512K, GX_TEXCACHE_NONE,
};

// clang-format on

// A texture over tiled texel memory; filled by the GXInitTexObj* calls.
struct GXTexObj {
    void* image;
    u16 width, height;
    u32 format;  // GXTexFmt or GXCITexFmt
    u8 wrapS, wrapT;
    GXBool mipmap;
    u8 minFilter, magFilter;
    GXBool biasClamp, edgeLod;
    u8 maxAniso;
    f32 minLod, maxLod, lodBias;
    u32 tlutName;  // colour-indexed formats
    void* userData;
};

// A palette in memory: big-endian 16-bit entries.
struct GXTlutObj {
    const void* data;
    GXTlutFmt format;
    u16 numEntries;
};

struct GXTexRegion {
    u32 tmemEven, tmemOdd;
    GXTexCacheSize sizeEven, sizeOdd;
    GXBool is32bMipmap;
};

struct GXTlutRegion {
    u32 tmemAddr;
    GXTlutSize size;
};

// ---- Initialisation, FIFO and synchronisation --------------------------------

// Resets every register to its power-on default; the FIFO block is kept as the
// default FIFO.
GXFifoObj* GXInit(void* base, u32 size);
void GXInitFifoBase(GXFifoObj* fifo, void* base, u32 size);
void GXSetCPUFifo(GXFifoObj* fifo);
void GXSetGPFifo(GXFifoObj* fifo);
void GXGetCPUFifo(GXFifoObj* fifo);
void GXGetFifoPtrs(const GXFifoObj* fifo, void** readPtr, void** writePtr);
void GXEnableBreakPt(void* breakPtr);
void GXGetGPStatus(GXBool* overhi, GXBool* underlow, GXBool* readIdle, GXBool* cmdIdle, GXBool* brkpt);
void GXInvalidateVtxCache();
void GXInvalidateTexAll();

using GXDrawDoneCallback = void (*)();
// Raises the draw-done interrupt once the commands so far are done: its callback
// runs at the next poll point, never inside this call.
void GXSetDrawDone();
// Waits until the commands so far are done (at once: drawing is synchronous) and
// raises the draw-done interrupt as GXSetDrawDone does.
void GXDrawDone();
GXDrawDoneCallback GXSetDrawDoneCallback(GXDrawDoneCallback callback);
void GXSetDrawSync(u16 token);
u16 GXReadDrawSync();

// ---- Viewport, projection and matrices ---------------------------------------

void GXSetViewport(f32 left, f32 top, f32 width, f32 height, f32 nearZ, f32 farZ);
// Field 0 moves the viewport up by half a line.
void GXSetViewportJitter(f32 left, f32 top, f32 width, f32 height, f32 nearZ, f32 farZ, u32 field);
void GXSetScissor(u32 left, u32 top, u32 width, u32 height);
// Keeps the six elements the projection type uses.
void GXSetProjection(const Mtx44 mtx, GXProjectionType type);
void GXLoadPosMtxImm(const Mtx mtx, u32 id);
// The 3x3 part of mtx.
void GXLoadNrmMtxImm(const Mtx mtx, u32 id);
// GX_TEXMTXn with a 2x4 or 3x4 type, or GX_PTTEXMTXn (3x4 only).
void GXLoadTexMtxImm(const Mtx mtx, u32 id, GXTexMtxType type);
void GXSetCurrentMtx(u32 id);

// ---- Vertex format and submission --------------------------------------------

void GXClearVtxDesc();
void GXSetVtxDesc(GXAttr attr, GXAttrType type);
void GXSetVtxAttrFmt(GXVtxFmt fmt, GXAttr attr, GXCompCnt cnt, GXCompType type, u8 frac);

// Every vertex sends its attributes in descriptor order: position, normal, colour
// 0, colour 1, texture coordinates 0..7. The data must amount to exactly
// nverts vertices by GXEnd.
void GXBegin(GXPrimitive type, GXVtxFmt fmt, u16 nverts);
void GXEnd();
void GXPosition3f32(f32 x, f32 y, f32 z);
void GXPosition2f32(f32 x, f32 y);
void GXPosition3s16(s16 x, s16 y, s16 z);
void GXNormal3f32(f32 x, f32 y, f32 z);
void GXNormal3s8(s8 x, s8 y, s8 z);
void GXColor4u8(u8 r, u8 g, u8 b, u8 a);
void GXColor3u8(u8 r, u8 g, u8 b);
void GXColor1u32(u32 rgba);  // 0xRRGGBBAA
void GXTexCoord2f32(f32 s, f32 t);
void GXTexCoord2s16(s16 s, s16 t);
void GXTexCoord2u16(u16 s, u16 t);

// ---- Display lists -------------------------------------------------------------

// list: 32-byte aligned, size a multiple of 32.
void GXBeginDisplayList(void* list, u32 size);
// The list's length (a multiple of 32), or 0 when it overflowed its buffer.
u32 GXEndDisplayList();
void GXCallDisplayList(const void* list, u32 nbytes);

// ---- Colour channels and lights -------------------------------------------------

void GXSetNumChans(u8 nChans);
void GXSetChanCtrl(GXChannelID chan, GXBool enable, GXColorSrc ambSrc, GXColorSrc matSrc, u32 lightMask,
                   GXDiffuseFn diffFn, GXAttnFn attnFn);
void GXSetChanAmbColor(GXChannelID chan, GXColor color);
void GXSetChanMatColor(GXChannelID chan, GXColor color);

void GXInitLightPos(GXLightObj* light, f32 x, f32 y, f32 z);
void GXInitLightDir(GXLightObj* light, f32 nx, f32 ny, f32 nz);
void GXInitLightColor(GXLightObj* light, GXColor color);
void GXInitLightAttn(GXLightObj* light, f32 a0, f32 a1, f32 a2, f32 k0, f32 k1, f32 k2);
void GXInitLightAttnA(GXLightObj* light, f32 a0, f32 a1, f32 a2);
void GXInitLightAttnK(GXLightObj* light, f32 k0, f32 k1, f32 k2);
// cutoff in degrees; outside (0, 90] the spot is off.
void GXInitLightSpot(GXLightObj* light, f32 cutoff, GXSpotFn spotFn);
void GXInitLightDistAttn(GXLightObj* light, f32 refDistance, f32 refBrightness, GXDistAttnFn distFn);
// A specular light shining along (nx, ny, nz) in view space; the half-angle is
// taken with a viewer looking down -z.
void GXInitSpecularDir(GXLightObj* light, f32 nx, f32 ny, f32 nz);
void GXInitSpecularDirHA(GXLightObj* light, f32 nx, f32 ny, f32 nz, f32 hx, f32 hy, f32 hz);
void GXLoadLightObjImm(const GXLightObj* light, GXLightID id);

// ---- Texture-coordinate generation -------------------------------------------------

void GXSetNumTexGens(u8 nTexGens);
void GXSetTexCoordGen(GXTexCoordID dst, GXTexGenType func, GXTexGenSrc src, u32 mtx);
void GXSetTexCoordGen2(GXTexCoordID dst, GXTexGenType func, GXTexGenSrc src, u32 mtx, GXBool normalize,
                       u32 postMtx);

// ---- TEV --------------------------------------------------------------------------

void GXSetNumTevStages(u8 nStages);
void GXSetTevOp(GXTevStageID stage, GXTevMode mode);
void GXSetTevOrder(GXTevStageID stage, GXTexCoordID coord, GXTexMapID map, GXChannelID color);
void GXSetTevColorIn(GXTevStageID stage, GXTevColorArg a, GXTevColorArg b, GXTevColorArg c, GXTevColorArg d);
void GXSetTevAlphaIn(GXTevStageID stage, GXTevAlphaArg a, GXTevAlphaArg b, GXTevAlphaArg c, GXTevAlphaArg d);
void GXSetTevColorOp(GXTevStageID stage, GXTevOp op, GXTevBias bias, GXTevScale scale, GXBool clamp,
                     GXTevRegID out);
void GXSetTevAlphaOp(GXTevStageID stage, GXTevOp op, GXTevBias bias, GXTevScale scale, GXBool clamp,
                     GXTevRegID out);
void GXSetTevColor(GXTevRegID reg, GXColor color);
void GXSetTevColorS10(GXTevRegID reg, GXColorS10 color);
void GXSetTevKColor(GXTevKColorID id, GXColor color);
void GXSetTevKColorSel(GXTevStageID stage, GXTevKColorSel sel);
void GXSetTevKAlphaSel(GXTevStageID stage, GXTevKAlphaSel sel);
void GXSetTevSwapMode(GXTevStageID stage, GXTevSwapSel rasSel, GXTevSwapSel texSel);
void GXSetTevSwapModeTable(GXTevSwapSel table, GXTevColorChan red, GXTevColorChan green, GXTevColorChan blue,
                           GXTevColorChan alpha);

// ---- Pixel engine -------------------------------------------------------------------

void GXSetAlphaCompare(GXCompare comp0, u8 ref0, GXAlphaOp op, GXCompare comp1, u8 ref1);
void GXSetZMode(GXBool compareEnable, GXCompare func, GXBool updateEnable);
// GX_TRUE: depth test before texturing.
void GXSetZCompLoc(GXBool beforeTex);
void GXSetBlendMode(GXBlendMode type, GXBlendFactor srcFactor, GXBlendFactor dstFactor, GXLogicOp op);
void GXSetColorUpdate(GXBool enable);
void GXSetAlphaUpdate(GXBool enable);
void GXSetDstAlpha(GXBool enable, u8 alpha);
void GXSetCullMode(GXCullMode mode);
void GXSetFog(GXFogType type, f32 startZ, f32 endZ, f32 nearZ, f32 farZ, GXColor color);
void GXSetPixelFmt(GXPixelFmt pixelFmt, GXZFmt16 zFmt);

// ---- Textures ----------------------------------------------------------------------

// Texels are read when a texture is loaded into a map (GXLoadTexObj) and kept,
// decoded, until GXInvalidateTexAll or GXInvalidateTexRegion drops them; a map
// whose texture was dropped reads the memory again at its next use. A
// colour-indexed texture takes its palette from the palette memory loaded with
// GXLoadTlut at the time it is loaded into a map. Mip levels follow each other in
// memory, each padded to whole tiles, down to 1x1.
void GXInitTexObj(GXTexObj* obj, void* image, u16 width, u16 height, GXTexFmt format, GXTexWrapMode wrapS,
                  GXTexWrapMode wrapT, GXBool mipmap);
void GXInitTexObjCI(GXTexObj* obj, void* image, u16 width, u16 height, GXCITexFmt format, GXTexWrapMode wrapS,
                    GXTexWrapMode wrapT, GXBool mipmap, u32 tlutName);
void GXInitTexObjLOD(GXTexObj* obj, GXTexFilter minFilter, GXTexFilter magFilter, f32 minLod, f32 maxLod,
                     f32 lodBias, GXBool biasClamp, GXBool edgeLod, GXAnisotropy maxAniso);
void GXInitTexObjWrapMode(GXTexObj* obj, GXTexWrapMode wrapS, GXTexWrapMode wrapT);
void GXInitTexObjFilter(GXTexObj* obj, GXTexFilter minFilter, GXTexFilter magFilter);
void GXInitTexObjTlut(GXTexObj* obj, u32 tlutName);
void GXInitTexObjUserData(GXTexObj* obj, void* userData);
void* GXGetTexObjUserData(const GXTexObj* obj);
GXTexFmt GXGetTexObjFmt(const GXTexObj* obj);
// Bytes of texel memory for a texture, with mip-maps up to maxLod levels.
u32 GXGetTexBufferSize(u16 width, u16 height, u32 format, GXBool mipmap, u8 maxLod);

void GXInitTlutObj(GXTlutObj* tlut, void* data, GXTlutFmt format, u16 numEntries);
// Copies the palette into palette memory, at the region the palette-region
// callback gives for tlutName.
void GXLoadTlut(const GXTlutObj* tlut, u32 tlutName);

void GXInitTexCacheRegion(GXTexRegion* region, GXBool is32bMipmap, u32 tmemEven, GXTexCacheSize sizeEven,
                          u32 tmemOdd, GXTexCacheSize sizeOdd);
void GXInitTlutRegion(GXTlutRegion* region, u32 tmemAddr, GXTlutSize size);
using GXTexRegionCallback = GXTexRegion* (*)(const GXTexObj* obj, GXTexMapID map);
using GXTlutRegionCallback = GXTlutRegion* (*)(u32 tlutName);
// Each returns the callback it replaces; null restores the default.
GXTexRegionCallback GXSetTexRegionCallback(GXTexRegionCallback callback);
GXTlutRegionCallback GXSetTlutRegionCallback(GXTlutRegionCallback callback);

void GXLoadTexObj(const GXTexObj* obj, GXTexMapID map);
void GXInvalidateTexRegion(const GXTexRegion* region);

// Copy to texture: the source rectangle of the embedded frame buffer into tiled
// RGBA8 texels (with mipmap, box-filtered to half size), optionally clearing the
// rectangle to the copy-clear colour and depth.
void GXSetTexCopySrc(u16 left, u16 top, u16 width, u16 height);
void GXSetTexCopyDst(u16 width, u16 height, GXTexFmt format, GXBool mipmap);
void GXCopyTex(void* dest, GXBool clear);
void GXPixModeSync();

// ---- Display copy -------------------------------------------------------------------

void GXSetDispCopySrc(u16 left, u16 top, u16 width, u16 height);
void GXSetDispCopyDst(u16 width, u16 height);
// Returns the number of lines the copy writes.
u32 GXSetDispCopyYScale(f32 yScale);
f32 GXGetYScaleFactor(u16 efbHeight, u16 xfbHeight);
// samplePattern and vfilter may be null when unused.
void GXSetCopyFilter(GXBool aa, const u8 samplePattern[12][2], GXBool vf, const u8 vfilter[7]);
void GXSetDispCopyGamma(GXGamma gamma);
void GXSetCopyClear(GXColor clearColor, u32 clearZ);
// Copies the embedded frame buffer to the YUYV external frame buffer dest and,
// with clear, clears the copied area to the copy-clear colour and depth.
void GXCopyDisp(void* dest, GXBool clear);
void GXPeekARGB(u16 x, u16 y, u32* color);  // 0xAARRGGBB
// Shrinks a render mode by hor pixels left and right and ver lines top and bottom.
void GXAdjustForOverscan(const GXRenderModeObj* rmin, GXRenderModeObj* rmout, u16 hor, u16 ver);
