// Movies written by the movie writer onto a temporary disc, and the player's
// steps from open to shut-down.
#pragma once

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/THPSimple.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/discbuild/ThpWriter.h"

class MovieFixture : public EngineFixture {
protected:
    HostConfig Config() const override { return disc_.Config(); }

    void TearDown() override {
        if (HasFailure() && report_)
            std::cerr << report().text();
        EngineFixture::TearDown();
    }

    // Frames of one flat colour each, the n-th (10 n, 20, 255 - 10 n).
    static discbuild::ThpMovie Movie(u32 frames, u32 width = 32, u32 height = 32, f32 frameRate = 30.0f) {
        discbuild::ThpMovie movie;
        movie.width = width;
        movie.height = height;
        movie.frameRate = frameRate;
        for (u32 f = 0; f < frames; ++f) {
            std::vector<u8> picture;
            for (u32 i = 0; i < width * height; ++i)
                picture.insert(picture.end(), {u8(10 * f), 20, u8(255 - 10 * f)});
            movie.pictures.push_back(picture);
        }
        return movie;
    }
    // A mono track rising by `step` per sample from `start`.
    static void AddRamp(discbuild::ThpMovie* movie, u32 frequency, u32 samples, s16 start, s16 step) {
        movie->channels = 1;
        movie->frequency = frequency;
        std::vector<s16> ramp(samples);
        for (u32 i = 0; i < samples; ++i)
            ramp[i] = s16(start + s32(i) * step);
        movie->tracks = {ramp};
    }

    void Write(const std::string& file, const std::vector<u8>& bytes) const { disc_.Write(file, bytes); }
    void Write(const std::string& file, const discbuild::ThpMovie& movie) const {
        const std::vector<u8> bytes = discbuild::ThpWrite(movie);
        ASSERT_FALSE(bytes.empty());
        disc_.Write(file, bytes);
    }

    // Initialised, opened, buffered and preloaded (no loop).
    bool Start(const char* file, s32 audioSystem = THP_MODE_ALONE) {
        if (!THPSimpleInit(audioSystem))
            return false;
        if (!THPSimpleOpen(file))
            return false;
        buffer_ = static_cast<u8*>(HeapMalloc(THPSimpleCalcNeedMemory(), __FILE__, __LINE__));
        return buffer_ != nullptr && THPSimpleSetBuffer(buffer_) && THPSimplePreLoad(FALSE);
    }
    void Stop() {
        THPSimpleAudioStop();
        THPSimpleLoadStop();
        THPSimpleClose();
        THPSimpleQuit();
        if (buffer_ != nullptr)
            HeapMallocFree(buffer_);
        buffer_ = nullptr;
    }

    TempDisc disc_;
    u8* buffer_ = nullptr;
};
