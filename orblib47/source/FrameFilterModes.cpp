// The frame filters' kernels and the records of modes TEST to SECURITY_CAMERA.
#include "orblib47/source/FrameFilter.h"

namespace {

using Flags = u_ORB_FILTER_FLAGS;
constexpr e_ORB_FILTER_TEXTURE_TYPE ACC = ORB_FILTER_TEXTURE_ACC;
constexpr e_ORB_FILTER_TEXTURE_TYPE TEMP0 = ORB_FILTER_TEXTURE_TEMP0;
constexpr e_ORB_FILTER_TEXTURE_TYPE FB = ORB_FILTER_TEXTURE_FB;

constexpr s_Vector4 kWhite = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr s_Vector4 kRed = {1.0f, 0.0f, 0.0f, 1.0f};
constexpr s_Vector4 kThird = {1.0f / 3.0f, 1.0f / 3.0f, 1.0f / 3.0f, 1.0f};

// The centre, its 8 neighbours, the 8 points two pixels out, and a last element
// that weighs nothing: no filter draws it.
constexpr s_ORB_FILTER_ELEMENT kBoxElements[18] = {
    {0, 0, 0.5f},  {-1, -1, 0.5f}, {0, -1, 0.5f}, {1, -1, 0.5f},  {-1, 0, 0.5f}, {1, 0, 0.5f},
    {-1, 1, 0.5f}, {0, 1, 0.5f},   {1, 1, 0.5f},  {-2, -2, 0.5f}, {0, -2, 0.5f}, {2, -2, 0.5f},
    {-2, 0, 0.5f}, {2, 0, 0.5f},   {-2, 2, 0.5f}, {0, 2, 0.5f},   {2, 2, 0.5f},  {2, -2, 0.0f},
};

// The centre, 8 points on the unit circle from 5 degrees, and 8 at radius 2 from 7.5.
constexpr s_ORB_FILTER_ELEMENT kCircleElements[17] = {
    {0.0f, 0.0f, 0.5f},         {0.9962f, 0.0869f, 0.5f},   {0.6430f, 0.7659f, 0.5f},
    {-0.0869f, 0.9962f, 0.5f},  {-0.7659f, 0.6430f, 0.5f},  {-0.9962f, -0.0869f, 0.5f},
    {-0.6430f, -0.7659f, 0.5f}, {0.0869f, -0.9962f, 0.5f},  {0.7659f, -0.6430f, 0.5f},
    {1.9829f, 0.2608f, 0.5f},   {1.2177f, 1.5865f, 0.5f},   {-0.2608f, 1.9829f, 0.5f},
    {-1.5865f, 1.2177f, 0.5f},  {-1.9829f, -0.2608f, 0.5f}, {-1.2177f, -1.5865f, 0.5f},
    {0.2608f, -1.9829f, 0.5f},  {1.5865f, -1.2177f, 0.5f},
};

constexpr s_ORB_FILTER_ELEMENT kEdgeElements[8] = {
    {0, 0, 0.8f}, {-1, 0, -0.8f}, {0, 0, 0.8f}, {1, 0, -0.8f},
    {0, 0, 0.8f}, {0, -1, -0.8f}, {0, 0, 0.8f}, {0, 1, -0.8f},
};

constexpr s_ORB_FILTER_CMD Copy(e_ORB_FILTER_TEXTURE_TYPE src, e_ORB_FILTER_TEXTURE_TYPE dst,
                                e_COMBINE_MODE combine, s_Vector4 color, u32 flags = 0, s_Irect16 rect = {}) {
    return {ORB_FILTER_CMD_COPY, flags, combine, src, dst, nullptr, rect, color};
}

constexpr s_ORB_FILTER_CMD Filter(e_ORB_FILTER_TEXTURE_TYPE src, e_ORB_FILTER_TEXTURE_TYPE dst,
                                  const s_ORB_FILTER& kernel, u32 flags = 0) {
    return {ORB_FILTER_CMD_FILTER, flags, DC_COMBINE_ADD, src, dst, &kernel, {}, kWhite};
}

constexpr s_ORB_FILTER_CMD kTestCmds[] = {
    Copy(FB, TEMP0, DC_COMBINE_ADD, {0.1f, 0.1f, 0.1f, 0.1f}, Flags::Clear_Texture),
    Copy(ACC, TEMP0, DC_COMBINE_ADD, {0.9f, 0.9f, 0.9f, 0.9f}),
    Copy(TEMP0, ACC, DC_COMBINE_OVERWRITE, kWhite),
};
constexpr s_ORB_FILTER_CMD kRedWorldCmds[] = {Copy(FB, ACC, DC_COMBINE_OVERWRITE, kRed)};
// The picture a third each time, twice shifted by a pixel, then blurred twice.
constexpr s_ORB_FILTER_CMD kTestGlowCmds[] = {
    Copy(FB, ACC, DC_COMBINE_ALPHA_ADD, kThird, Flags::Clear_Texture),
    Copy(FB, ACC, DC_COMBINE_ALPHA_ADD, kThird, Flags::Use_Rect, {1, 0, 0, 0}),
    Copy(FB, ACC, DC_COMBINE_ALPHA_ADD, kThird, Flags::Use_Rect, {0, 1, 0, 0}),
    Filter(ACC, TEMP0, FilterCircle, Flags::Clear_Texture),
    Filter(TEMP0, ACC, FilterCircle),
};
constexpr s_ORB_FILTER_CMD kGlowCmds[] = {
    Copy(FB, TEMP0, DC_COMBINE_ALPHA_ADD, kWhite, Flags::Clear_Texture),
    Filter(TEMP0, ACC, FilterCircle2, Flags::Clear_Texture),
};
constexpr s_ORB_FILTER_CMD kBlurGlowCmds[] = {
    Copy(ACC, TEMP0, DC_COMBINE_OVERWRITE, {0.4f, 0.4f, 0.4f, 1.0f}),
    Copy(FB, TEMP0, DC_COMBINE_ALPHA_ADD, kWhite),
    Filter(TEMP0, ACC, FilterCircle, Flags::Clear_Texture),
};
constexpr s_ORB_FILTER_CMD kBlurMultiGlowCmds[] = {
    Copy(FB, ACC, DC_COMBINE_ALPHA_ADD, kWhite, Flags::Clear_Texture),
    Filter(ACC, TEMP0, FilterCircle, Flags::Clear_Texture),
    Filter(TEMP0, ACC, FilterCircle2, Flags::Clear_Texture),
};
// Each new picture blended into the last ones.
constexpr s_ORB_FILTER_CMD kBlurCmds[] = {
    Copy(ACC, TEMP0, DC_COMBINE_OVERWRITE, {0.9f, 0.9f, 0.9f, 0.9f}),
    Copy(FB, TEMP0, DC_COMBINE_ALPHA, kWhite),
    Copy(TEMP0, ACC, DC_COMBINE_OVERWRITE, kWhite),
};
constexpr s_ORB_FILTER_CMD kEdgeDetectCmds[] = {
    Copy(FB, TEMP0, DC_COMBINE_OVERWRITE, kWhite),
    Filter(TEMP0, ACC, FilterEdge, Flags::Clear_Texture),
};
constexpr s_ORB_FILTER_CMD kSecurityCameraCmds[] = {Copy(FB, ACC, DC_COMBINE_OVERWRITE, kWhite)};

template <s32 N>
constexpr s_ORB_FILTER_MODE_DEF Mode(const s_ORB_FILTER_CMD (&cmds)[N], s_ORB_FILTER_CMD draw) {
    constexpr s_ORB_FILTER_TEXTURE kTexture = {nullptr, 256, 256, 32};
    return {{kTexture, kTexture, kTexture, kTexture}, draw, N, cmds};
}

}  // namespace

const s_ORB_FILTER FilterSmallBox = {2.5f, 0.75f, 1.0f, 1.0f, 9, kBoxElements};
const s_ORB_FILTER FilterBox = {2.5f, 0.75f, 1.0f, 1.0f, 18, kBoxElements};
const s_ORB_FILTER FilterCircle = {2.5f, 0.75f, 1.0f, 1.0f, 9, kCircleElements};
const s_ORB_FILTER FilterCircle2 = {1.5f, 0.75f, 1.0f, 1.0f, 17, kCircleElements};
const s_ORB_FILTER FilterEdge = {2.0f, 1.0f, 1.0f, 1.0f, 8, kEdgeElements};

s_ORB_FILTER_MODE_DEF OrbFilterModes[ORB_FILTER_MODE_RECORDS] = {
    Mode(kTestCmds, Copy(ACC, FB, DC_COMBINE_OVERWRITE, kWhite)),
    Mode(kRedWorldCmds, Copy(ACC, FB, DC_COMBINE_OVERWRITE, kRed)),
    Mode(kTestGlowCmds, Copy(ACC, FB, DC_COMBINE_ADD, kWhite)),
    Mode(kGlowCmds, Copy(ACC, FB, DC_COMBINE_ADD, kWhite)),
    Mode(kBlurGlowCmds, Copy(ACC, FB, DC_COMBINE_ADD, kWhite)),
    Mode(kBlurMultiGlowCmds, Copy(ACC, FB, DC_COMBINE_ADD, kWhite)),
    Mode(kBlurCmds, Copy(ACC, FB, DC_COMBINE_ADD, kWhite)),
    Mode(kEdgeDetectCmds, Copy(ACC, FB, DC_COMBINE_OVERWRITE, kWhite)),
    Mode(kSecurityCameraCmds, Copy(ACC, FB, DC_COMBINE_OVERWRITE, kWhite)),
};
