// A 16-bit stereo WAV file written as the program runs. The header's sizes are
// brought up to date every second of sound and on close, so a run that is killed
// still leaves a readable file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace host {

class WavFile {
public:
    WavFile() = default;
    ~WavFile();
    WavFile(const WavFile&) = delete;
    WavFile& operator=(const WavFile&) = delete;

    // False, with the reason, when the file cannot be created.
    bool Open(const std::string& path, std::uint32_t sampleRate, std::string* error);
    // Appends `frames` stereo samples (left, right).
    void Write(const std::int16_t* samples, std::uint32_t frames);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

private:
    void PatchHeader();

    std::FILE* file_ = nullptr;
    std::uint32_t sampleRate_ = 0;
    std::uint32_t dataBytes_ = 0;
    std::uint32_t unpatchedFrames_ = 0;
};

}  // namespace host
