// Writes ".thp" movies: the header, the component table, the video and audio
// records and the frames, each frame a JPEG picture (its scan's stuffing removed)
// and, when the movie has sound, its share of every audio track in DSP-ADPCM.
#pragma once

#include <vector>

#include "orblib47/source/OrbTypes.h"

namespace discbuild {

struct ThpMovie {
    u32 width = 0;  // multiples of 16
    u32 height = 0;
    f32 frameRate = 30.0f;
    std::vector<std::vector<u8>> pictures;  // one per frame: width x height RGB, row-major
    // Sound: none when there is no track; every track the same length,
    // `channels` interleaved samples, shared among the frames in whole ADPCM
    // frames of 14 samples.
    u32 channels = 0;
    u32 frequency = 32000;
    std::vector<std::vector<s16>> tracks;
    int quality = 90;
};

// The movie file; empty when the pictures or tracks do not fit the sizes given.
std::vector<u8> ThpWrite(const ThpMovie& movie);

// One frame's video: the picture as a baseline 4:2:0 JPEG without its scan's
// byte stuffing.
std::vector<u8> ThpEncodeVideo(const u8* rgb, u32 width, u32 height, int quality);

}  // namespace discbuild
