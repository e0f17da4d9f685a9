// THP: the movie decoders. A movie frame's video is a baseline JPEG (one 2x2
// luma and two 1x1 chroma components) whose entropy-coded scan has its byte
// stuffing removed; it decodes into three 8-bit intensity textures (GX_TF_I8
// tiles): Y at the picture's size, U and V at half its width and height. A
// frame's audio track is DSP-ADPCM in the layout docs/thp.md gives; it decodes
// into interleaved stereo (a mono track feeds both channels). Decoding checks
// everything against the sizes given and refuses bad data.
#pragma once

#include "console/types.h"

constexpr s32 THP_OK = 0;
constexpr s32 THP_ERROR = -1;

BOOL THPInit();

// width and height: the picture's, multiples of 16 up to 1024 (the planes'
// sizes come from them). Returns THP_OK, or THP_ERROR when the data is not such a picture.
s32 THPVideoDecode(const void* data, u32 size, u32 width, u32 height, void* tileY, void* tileU, void* tileV);

// Writes at most maxSamples stereo frames to buffer; returns the samples per
// channel, or 0 when the track is malformed or longer than maxSamples.
u32 THPAudioDecode(s16* buffer, u32 maxSamples, const void* data, u32 size);
