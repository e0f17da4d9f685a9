#include "tools/discbuild/SfxWriter.h"

#include <stdexcept>

#include "tools/discbuild/ChunkOut.h"
#include "tools/discbuild/DspAdpcm.h"

namespace discbuild {

namespace {

constexpr u32 kHeaderSize = 12;
constexpr u32 kRecordSize = 20;

}  // namespace

std::vector<u8> SfxPayload(const std::vector<SfxSound>& sounds) {
    std::vector<std::vector<u8>> encoded;
    for (const SfxSound& sound : sounds) {
        if (sound.name.find('\0') != std::string::npos)
            throw std::invalid_argument("sfx bank: a name holds a NUL");
        if (sound.pcm.empty())
            throw std::invalid_argument("sfx bank: a sound has no samples");
        const DspAdpcmSound adpcm = DspAdpcmEncode(sound.pcm, sound.sampleRate, sound.loopStart);
        const auto header = DspAdpcmHeaderBytes(adpcm.header);
        std::vector<u8>& bytes = encoded.emplace_back(header.begin(), header.end());
        bytes.insert(bytes.end(), adpcm.data.begin(), adpcm.data.end());
    }

    ChunkOut out(kHeaderSize);
    out.Patch(4, u32(sounds.size()));
    out.Patch(8, kHeaderSize);
    const u32 records = out.Size();
    out.Bytes(std::vector<u8>(sounds.size() * kRecordSize));
    for (size_t i = 0; i < sounds.size(); ++i) {
        out.Patch(records + u32(i) * kRecordSize + 16, out.Size());
        out.Bytes(sounds[i].name.data(), sounds[i].name.size());
        out.Byte(0);
    }
    for (size_t i = 0; i < sounds.size(); ++i) {
        const u32 record = records + u32(i) * kRecordSize;
        out.Patch(record, out.Size());
        out.Patch(record + 8, sounds[i].pitch);
        out.Patch(record + 12, u32(encoded[i].size()));
        out.Bytes(encoded[i]);
    }
    return out.Take();
}

}  // namespace discbuild
