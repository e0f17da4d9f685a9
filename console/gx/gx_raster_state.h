// The registers the back half of the graphics pipeline reads: viewport and
// scissor, culling, the texture environment, fog, alpha compare, depth,
// blending, write masks, the pixel format and the display copy. The GX state
// calls write them; the rasteriser only reads them. Every enumeration keeps the
// hardware's numbering, so a GX argument converts with a plain cast.
#pragma once

#include <memory>

#include "console/types.h"

namespace console::gx {

struct Rgba8 {
    u8 r = 0, g = 0, b = 0, a = 0;
};

// TEV registers hold signed 11-bit values (-1024..1023) per channel.
struct Rgba16 {
    s16 r = 0, g = 0, b = 0, a = 0;
};

enum class Compare : u8 { Never, Less, Equal, LEqual, Greater, NEqual, GEqual, Always };
enum class AlphaOp : u8 { And, Or, Xor, Xnor };
// Front faces are clockwise on the screen.
enum class Cull : u8 { None, Front, Back, All };

enum class BlendType : u8 { None, Blend, Logic, Subtract };
// Factor 2 and 3 name the other side's colour: the destination colour as a
// source factor, the source colour as a destination factor.
enum class BlendFactor : u8 {
    Zero,
    One,
    SrcClr,
    InvSrcClr,
    SrcAlpha,
    InvSrcAlpha,
    DstAlpha,
    InvDstAlpha,
    DstClr = SrcClr,
    InvDstClr = InvSrcClr,
};
enum class LogicOp : u8 {
    Clear,
    And,
    RevAnd,
    Copy,
    InvAnd,
    NoOp,
    Xor,
    Or,
    Nor,
    Equiv,
    Inv,
    RevOr,
    InvCopy,
    InvOr,
    Nand,
    Set
};

enum class FogType : u8 {
    None = 0,
    PerspLin = 2,
    PerspExp = 4,
    PerspExp2 = 5,
    PerspRevExp = 6,
    PerspRevExp2 = 7,
    OrthoLin = 10,
    OrthoExp = 12,
    OrthoExp2 = 13,
    OrthoRevExp = 14,
    OrthoRevExp2 = 15,
};

enum class PixelFormat : u8 { RGB8_Z24, RGBA6_Z24, RGB565_Z16, Z24, Y8, U8, V8, YUV420 };

enum class TevColorArg : u8 {
    CPrev,
    APrev,
    C0,
    A0,
    C1,
    A1,
    C2,
    A2,
    TexC,
    TexA,
    RasC,
    RasA,
    One,
    Half,
    Konst,
    Zero
};
enum class TevAlphaArg : u8 { APrev, A0, A1, A2, TexA, RasA, Konst, Zero };
enum class TevOp : u8 { Add, Sub };
enum class TevBias : u8 { Zero, AddHalf, SubHalf };
enum class TevScale : u8 { Scale1, Scale2, Scale4, Divide2 };
enum class TevReg : u8 { Prev, Reg0, Reg1, Reg2 };

// Konst selections: 0..7 are the fractions 8/8 down to 1/8; 12..15 a whole konst
// colour (colour only); 16.. one channel of a konst colour: 16 + 4 * channel + n
// for konst n, channels R, G, B, A.
using TevKSel = u8;
constexpr TevKSel kTevKSelOne = 0;
constexpr TevKSel kTevKSelK0 = 12;
constexpr TevKSel kTevKSelK0R = 16;

constexpr u8 kTevNull = 0xFF;  // no texture coordinate, texture map or colour channel
// Colour channel codes of a stage: 0/2/4 channel 0, 1/3/5 channel 1, 6 zero.
constexpr u8 kTevColor0A0 = 4;
constexpr u8 kTevColorZero = 6;

struct TevCombiner {
    u8 in[4];  // a, b, c, d: TevColorArg or TevAlphaArg codes
    TevOp op = TevOp::Add;
    TevBias bias = TevBias::Zero;
    TevScale scale = TevScale::Scale1;
    bool clamp = true;
    TevReg out = TevReg::Prev;
};

// out = d +/- ((1 - c) * a + c * b) + bias, then scaled.
struct TevStage {
    u8 texCoord = kTevNull;
    u8 texMap = kTevNull;
    u8 channel = kTevColor0A0;
    TevCombiner color{
        {u8(TevColorArg::Zero), u8(TevColorArg::Zero), u8(TevColorArg::Zero), u8(TevColorArg::RasC)}};
    TevCombiner alpha{
        {u8(TevAlphaArg::Zero), u8(TevAlphaArg::Zero), u8(TevAlphaArg::Zero), u8(TevAlphaArg::RasA)}};
    TevKSel kColorSel = kTevKSelOne;
    TevKSel kAlphaSel = kTevKSelOne;
    u8 rasSwap = 0;
    u8 texSwap = 0;
};

// Which source channel (0 R, 1 G, 2 B, 3 A) feeds each output channel.
struct SwapTable {
    u8 r = 0, g = 1, b = 2, a = 3;
};

struct Viewport {
    float left = 0, top = 0, width = 640, height = 480, nearZ = 0, farZ = 1;
};

struct Scissor {
    u32 left = 0, top = 0, width = 640, height = 480;
};

// Where a stage's texture colour comes from: the texture module installs a
// sampler; without one every texture reads opaque white. The coordinates are
// normalised, with their screen-space derivatives for the level of detail.
struct TexCoordSample {
    float s, t;
    float dsdx, dtdx, dsdy, dtdy;
};
using TextureSampler = Rgba8 (*)(void* context, u32 texMap, const TexCoordSample& coord);

// A map whose texels are the same whatever the level of detail (one level, one
// filter): the rasteriser reads it a group of pixels at a time, as the sampler
// would one by one. The texture module installs a viewer beside its sampler; it
// answers false for a map that needs the level of detail.
// A bilinear footprint: the texel words (red in the low byte) of a texel, the
// one right of it, the one below and the one below right, wrapped.
struct TexelQuad {
    u32 topLeft, topRight, bottomLeft, bottomRight;
};

struct TexLevelView {
    const Rgba8* texels;  // row by row
    s32 width, height;
    u8 wrapS, wrapT;  // GXTexWrapMode
    bool linear;
    // Optional for a bilinear view: the footprints of every column and row the
    // wraps tell apart (QuadSpan of each), made for this view's wraps.
    const TexelQuad* quads = nullptr;
};
using TextureViewer = bool (*)(void* context, u32 texMap, TexLevelView* view);
// Called on the program's thread when a draw is queued: what the maps in `maps`
// (a bit each) read now, as a record that no later call changes, which the
// sampler and the viewer then get as their context. A texture module whose
// maps change installs one beside them.
using TextureCapture = std::shared_ptr<const void> (*)(void* context, u32 maps);
// Whether the texels of the maps in `maps` are all in place: a copy to texture
// may still be writing them on the pixel threads. Asked of a captured record,
// when a draw is queued and again before one that was not ready is drawn.
using TexturesReady = bool (*)(const void* context, u32 maps);

struct DisplayCopy {
    u32 srcLeft = 0, srcTop = 0, srcWidth = 640, srcHeight = 480;
    u32 dstStride = 640;  // external frame buffer row, in pixels
    float yScale = 1.0f;  // external lines per EFB line
    Rgba8 clearColor{0, 0, 0, 0xFF};
    u32 clearZ = 0xFFFFFF;
    bool verticalFilter = false;
    u8 filter[7] = {0, 0, 21, 22, 21, 0, 0};  // 64ths over rows -1, -1, 0, 0, 0, +1, +1
};

// The copy to texture: a rectangle of the buffer into tiled texels of dstWidth x
// dstHeight (half the rectangle with mipmap) in a GXTexFmt.
struct TexCopy {
    u32 srcLeft = 0, srcTop = 0, srcWidth = 0, srcHeight = 0;
    u32 dstWidth = 0, dstHeight = 0;
    u32 format = 6;  // RGBA8
    bool mipmap = false;
};

struct RasterState {
    Viewport viewport;
    Scissor scissor;
    Cull cull = Cull::Back;

    bool zCompare = true;
    Compare zFunc = Compare::LEqual;
    bool zUpdate = true;
    bool zCompBeforeTex = true;

    BlendType blendType = BlendType::None;
    BlendFactor blendSrc = BlendFactor::SrcAlpha;
    BlendFactor blendDst = BlendFactor::InvSrcAlpha;
    LogicOp logicOp = LogicOp::Copy;
    bool colorUpdate = true;
    bool alphaUpdate = true;
    bool dstAlphaEnable = false;
    u8 dstAlpha = 0;

    Compare alphaComp0 = Compare::Always;
    u8 alphaRef0 = 0;
    AlphaOp alphaOp = AlphaOp::And;
    Compare alphaComp1 = Compare::Always;
    u8 alphaRef1 = 0;

    FogType fogType = FogType::None;
    float fogStartZ = 0, fogEndZ = 0, fogNearZ = 0, fogFarZ = 0;
    Rgba8 fogColor;

    u8 numTevStages = 1;
    TevStage tevStages[16];
    Rgba16 tevRegs[4];  // indexed by TevReg
    Rgba8 konst[4];
    SwapTable swapTables[4];
    u8 numChans = 1;
    u8 numTexGens = 0;
    TextureSampler sampler = nullptr;
    TextureViewer viewer = nullptr;
    TextureCapture capture = nullptr;
    TexturesReady texturesReady = nullptr;
    void* samplerContext = nullptr;

    PixelFormat pixelFormat = PixelFormat::RGB8_Z24;
    DisplayCopy copy;
    TexCopy texCopy;
};

}  // namespace console::gx
