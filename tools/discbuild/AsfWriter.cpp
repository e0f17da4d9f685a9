#include "tools/discbuild/AsfWriter.h"

#include <algorithm>
#include <stdexcept>

#include "tools/discbuild/ChunkOut.h"
#include "tools/discbuild/DspAdpcm.h"

namespace discbuild {

namespace {

constexpr u32 kEntrySize = 112;
constexpr u32 kHeaderSize = 96;
constexpr u32 kStereo = 2;

void PutLE32(std::vector<u8>& bytes, u32 at, u32 value) {
    for (u32 i = 0; i < 4; ++i)
        bytes[at + i] = u8(value >> (8 * i));
}

// One stream's header (the left channel's, for a stereo pair) and its data as
// stored: mono as encoded, stereo padded to whole blocks and interleaved.
struct Encoded {
    std::vector<u8> header;
    std::vector<u8> data;
    bool stereo = false;
};

std::vector<u8> HeaderBytes(const DspAdpcmHeader& header) {
    const auto bytes = DspAdpcmHeaderBytes(header);
    return {bytes.begin(), bytes.end()};
}

// The channel padded with silence to whole frames.
std::vector<s16> WholeFrames(const std::vector<s16>& pcm) {
    std::vector<s16> padded = pcm;
    padded.resize((pcm.size() + kDspAdpcmFrameSamples - 1) / kDspAdpcmFrameSamples * kDspAdpcmFrameSamples);
    return padded;
}

Encoded Encode(const AsfStream& stream, u32 interleave) {
    Encoded out;
    out.stereo = !stream.right.empty();
    if (!out.stereo) {
        const DspAdpcmSound sound = DspAdpcmEncode(stream.left, stream.sampleRate, std::nullopt);
        out.header = HeaderBytes(sound.header);
        out.data = sound.data;
        return out;
    }
    if (interleave == 0 || interleave % 32 != 0)
        throw std::invalid_argument("AsfWrite: the interleave must be a non-zero multiple of 32");
    // One encode of both channels back to back fits one coefficient table to
    // both; the right channel's frames start at the left's last whole frame.
    std::vector<s16> both = WholeFrames(stream.left);
    const size_t leftBytes = both.size() / kDspAdpcmFrameSamples * kDspAdpcmFrameBytes;
    const std::vector<s16> right = WholeFrames(stream.right);
    both.insert(both.end(), right.begin(), right.end());
    DspAdpcmSound sound = DspAdpcmEncode(both, stream.sampleRate, std::nullopt);
    std::vector<u8> sides[2] = {{sound.data.begin(), sound.data.begin() + leftBytes},
                                {sound.data.begin() + leftBytes, sound.data.end()}};
    const size_t blocks = (std::max(sides[0].size(), sides[1].size()) + interleave - 1) / interleave;
    for (std::vector<u8>& side : sides)
        side.resize(blocks * interleave);
    for (size_t b = 0; b < blocks; ++b) {
        for (const std::vector<u8>& side : sides)
            out.data.insert(out.data.end(), side.begin() + b * interleave,
                            side.begin() + (b + 1) * interleave);
    }
    // The header describes one channel.
    const u32 samples = u32(std::max(stream.left.size(), stream.right.size()));
    sound.header.numSamples = samples;
    sound.header.numNibbles = samples == 0 ? 0 : DspAdpcmNibbleAddress(samples - 1) + 1;
    sound.header.ea = samples == 0 ? 0 : DspAdpcmNibbleAddress(samples - 1);
    out.header = HeaderBytes(sound.header);
    return out;
}

}  // namespace

std::vector<u8> AsfWrite(const std::vector<AsfStream>& streams, u32 interleave) {
    std::vector<Encoded> encoded;
    for (const AsfStream& stream : streams)
        encoded.push_back(Encode(stream, interleave));
    ChunkOut pack(4 + kEntrySize * u32(streams.size()));
    PutLE32(pack.Data(), 0, u32(streams.size()));
    for (size_t i = 0; i < encoded.size(); ++i) {
        pack.Align(32);
        const u32 offset = pack.Size();
        pack.Bytes(encoded[i].header);
        pack.Bytes(encoded[i].data);
        const u32 entry = 4 + kEntrySize * u32(i);
        std::vector<u8>& bytes = pack.Data();
        PutLE32(bytes, entry, offset);
        PutLE32(bytes, entry + 4, kHeaderSize + u32(encoded[i].data.size()));
        PutLE32(bytes, entry + 8, encoded[i].stereo ? kStereo : 0);
        PutLE32(bytes, entry + 12, encoded[i].stereo ? interleave : 0);
        std::copy(encoded[i].header.begin(), encoded[i].header.end(), bytes.begin() + entry + 16);
    }
    return pack.Take();
}

}  // namespace discbuild
