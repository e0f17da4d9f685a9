// LZO1X decompression of archive chunks: checked against the chunk's size.
#include "orblib47/source/Wad.h"
#include "tests/support/EngineFixture.h"
#include "tools/discbuild/WadWriter.h"

namespace {

class LzoTest : public EngineFixture {
protected:
    static std::vector<u8> Sample() {
        std::vector<u8> data(4000);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = u8((i / 7) ^ (i % 13));
        return data;
    }
};

TEST_F(LzoTest, RoundTripsIntoABufferOfExactlyTheSize) {
    std::vector<u8> data = Sample();
    std::vector<u8> packed = discbuild::LzoCompress(data);
    std::vector<u8> out(data.size());
    u32 length = u32(out.size());
    EXPECT_EQ(LZODecompress(packed.data(), u32(packed.size()), out.data(), &length), 1);
    EXPECT_EQ(length, data.size());
    EXPECT_EQ(out, data);
}

TEST_F(LzoTest, OutputLargerThanTheSizeIsAnOverrun) {
    std::vector<u8> data = Sample();
    std::vector<u8> packed = discbuild::LzoCompress(data);
    std::vector<u8> out(data.size() - 1);
    u32 length = u32(out.size());
    EXPECT_EQ(LZODecompress(packed.data(), u32(packed.size()), out.data(), &length), 0);
    EXPECT_TRUE(report().contains("LZO Decompression Error: LZO_E_OUTPUT_OVERRUN\n"));
}

TEST_F(LzoTest, OutputShorterThanTheSizeIsAnError) {
    std::vector<u8> data = Sample();
    std::vector<u8> packed = discbuild::LzoCompress(data);
    std::vector<u8> out(data.size() + 10);
    u32 length = u32(out.size());
    EXPECT_EQ(LZODecompress(packed.data(), u32(packed.size()), out.data(), &length), 0);
    EXPECT_EQ(length, data.size());
    EXPECT_TRUE(report().contains("LZO Decompression Error: 4000 bytes, expected 4010\n"));
}

TEST_F(LzoTest, TruncatedInputIsAnInputOverrun) {
    std::vector<u8> data = Sample();
    std::vector<u8> packed = discbuild::LzoCompress(data);
    std::vector<u8> out(data.size());
    u32 length = u32(out.size());
    EXPECT_EQ(LZODecompress(packed.data(), u32(packed.size() / 2), out.data(), &length), 0);
    EXPECT_TRUE(report().contains("LZO Decompression Error: LZO_E_INPUT_OVERRUN\n"));
}

TEST_F(LzoTest, EveryCorruptionIsCaughtOrStaysInBounds) {
    std::vector<u8> data = Sample();
    std::vector<u8> packed = discbuild::LzoCompress(data);
    for (size_t at = 0; at < packed.size(); ++at) {
        std::vector<u8> mutated = packed;
        mutated[at] ^= 0xA5;
        std::vector<u8> out(data.size());
        u32 length = u32(out.size());
        if (LZODecompress(mutated.data(), u32(mutated.size()), out.data(), &length) == 1) {
            EXPECT_EQ(length, data.size());
        }
    }
}

}  // namespace
