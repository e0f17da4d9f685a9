// Comparing the shown frame with a kept PNG picture.
#pragma once

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "console/screenshot.h"

// The picture of a PNG file; empty when it cannot be read.
inline HostFrame ReadPng(const char* path) {
    HostFrame frame;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path) == 0)
        return frame;
    image.format = PNG_FORMAT_RGB;
    frame.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, frame.rgb.data(), 0, nullptr) == 0)
        return HostFrame{};
    frame.width = image.width;
    frame.height = image.height;
    return frame;
}

// The channels of the frame that differ from the picture at `reference` by more
// than a few levels (other builds of a rasteriser may round differently); a missing
// or differently sized picture fails the test and counts every channel.
inline u32 PixelsDifferingFrom(const char* reference, const HostFrame& frame) {
    const HostFrame kept = ReadPng(reference);
    if (kept.rgb.empty() || kept.width != frame.width || kept.height != frame.height) {
        ADD_FAILURE() << "no reference picture of the frame's size at " << reference;
        return u32(frame.rgb.size());
    }
    u32 differing = 0;
    for (size_t i = 0; i < kept.rgb.size(); ++i)
        differing += std::abs(int(kept.rgb[i]) - int(frame.rgb[i])) > 24;
    return differing;
}

// Saves the shown frame as `drawn` for a person to look at (and as the new
// reference under BOWLING_UPDATE_REFERENCE=1) and returns PixelsDifferingFrom.
inline u32 ShownFrameDifferingFrom(const char* reference, const char* drawn) {
    HostFrame frame;
    HostCaptureShownFrame(&frame);
    EXPECT_TRUE(HostSaveScreenshot(drawn));
    if (std::getenv("BOWLING_UPDATE_REFERENCE") != nullptr) {
        EXPECT_TRUE(HostSaveScreenshot(reference));
    }
    return PixelsDifferingFrom(reference, frame);
}

// The shown frame against the kept reference `name`.png, saved as `name`_drawn.png.
inline void ExpectLooksAsKept(const std::string& name) {
    const std::string drawn = name + "_drawn.png";
    EXPECT_LT(
        ShownFrameDifferingFrom((BOWLING_TEST_REFERENCE_DIR "/" + name + ".png").c_str(), drawn.c_str()), 60u)
        << "see " << drawn;
}
