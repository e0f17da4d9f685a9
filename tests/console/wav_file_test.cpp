// The WAV output: a header that a reader accepts while the file is still being
// written, and the whole sound once it is closed.
#include "console/host/wav_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t Le16(const std::vector<std::uint8_t>& b, size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

TEST(WavFileTest, HeaderDescribesTheSoundWrittenSoFar) {
    const std::string path = ::testing::TempDir() + "wav_file_test.wav";
    host::WavFile wav;
    std::string error;
    ASSERT_TRUE(wav.Open(path, 32000, &error)) << error;
    const std::vector<std::int16_t> block(2 * 96, -2);
    // 32,640 frames: the header was patched once, when a second (334 blocks) was in.
    for (int i = 0; i < 340; ++i)
        wav.Write(block.data(), 96);

    std::vector<std::uint8_t> bytes = ReadFile(path);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Le16(bytes, 20), 1);  // PCM
    EXPECT_EQ(Le16(bytes, 22), 2);
    EXPECT_EQ(Le32(bytes, 24), 32000u);
    EXPECT_EQ(Le32(bytes, 28), 128000u);
    EXPECT_EQ(Le16(bytes, 32), 4);
    EXPECT_EQ(Le16(bytes, 34), 16);
    EXPECT_EQ(Le32(bytes, 40), 334u * 96 * 4);
    EXPECT_LE(Le32(bytes, 40), bytes.size() - 44);

    wav.Write(block.data(), 96);
    wav.Close();
    bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 44u + 32736 * 4);
    EXPECT_EQ(Le32(bytes, 4), 36u + 32736 * 4);
    EXPECT_EQ(Le32(bytes, 40), 32736u * 4);
    EXPECT_EQ(Le16(bytes, 44), 0xFFFE);  // little-endian samples
}

TEST(WavFileTest, AnUnwritablePathIsRefusedWithTheReason) {
    host::WavFile wav;
    std::string error;
    EXPECT_FALSE(wav.Open("/nonexistent-folder/out.wav", 32000, &error));
    EXPECT_NE(error.find("/nonexistent-folder/out.wav"), std::string::npos);
    EXPECT_FALSE(wav.IsOpen());
}

}  // namespace
