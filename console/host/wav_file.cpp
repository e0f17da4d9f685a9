#include "console/host/wav_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace host {
namespace {

constexpr std::uint32_t kHeaderBytes = 44;
constexpr std::uint32_t kChannels = 2;
constexpr std::uint32_t kFrameBytes = kChannels * 2;

void Put16(std::uint8_t* at, std::uint32_t value) {
    at[0] = std::uint8_t(value);
    at[1] = std::uint8_t(value >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

}  // namespace

WavFile::~WavFile() {
    Close();
}

bool WavFile::Open(const std::string& path, std::uint32_t sampleRate, std::string* error) {
    Close();
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        *error = "cannot write the audio file '" + path + "': " + std::strerror(errno);
        return false;
    }
    sampleRate_ = sampleRate;
    dataBytes_ = 0;
    unpatchedFrames_ = 0;
    PatchHeader();
    return true;
}

void WavFile::Write(const std::int16_t* samples, std::uint32_t frames) {
    if (file_ == nullptr)
        return;
    // A WAV file holds at most 4 GB; beyond that the sound is dropped.
    if (frames > (std::numeric_limits<std::uint32_t>::max() - kHeaderBytes - dataBytes_) / kFrameBytes)
        return;
    std::uint8_t bytes[1024];
    const std::uint32_t count = frames * kChannels;
    for (std::uint32_t done = 0; done < count;) {
        const std::uint32_t n = std::min<std::uint32_t>(count - done, sizeof bytes / 2);
        for (std::uint32_t i = 0; i < n; ++i)
            Put16(bytes + 2 * i, std::uint16_t(samples[done + i]));
        std::fwrite(bytes, 2, n, file_);
        done += n;
    }
    dataBytes_ += frames * kFrameBytes;
    unpatchedFrames_ += frames;
    if (unpatchedFrames_ >= sampleRate_)
        PatchHeader();
}

void WavFile::Close() {
    if (file_ == nullptr)
        return;
    PatchHeader();
    std::fclose(file_);
    file_ = nullptr;
}

void WavFile::PatchHeader() {
    std::uint8_t header[kHeaderBytes];
    std::memcpy(header, "RIFF", 4);
    Put32(header + 4, kHeaderBytes - 8 + dataBytes_);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    Put32(header + 16, 16);
    Put16(header + 20, 1);  // PCM
    Put16(header + 22, kChannels);
    Put32(header + 24, sampleRate_);
    Put32(header + 28, sampleRate_ * kFrameBytes);
    Put16(header + 32, kFrameBytes);
    Put16(header + 34, 16);
    std::memcpy(header + 36, "data", 4);
    Put32(header + 40, dataBytes_);
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(header, 1, kHeaderBytes, file_);
    std::fseek(file_, 0, SEEK_END);
    std::fflush(file_);
    unpatchedFrames_ = 0;
}

}  // namespace host
