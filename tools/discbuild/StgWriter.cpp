#include "tools/discbuild/StgWriter.h"

#include <stdexcept>

#include "tools/discbuild/ChunkOut.h"

namespace discbuild {

namespace {

constexpr u32 kNameField = 32;

}  // namespace

std::vector<u8> StgPayload(const SoundTagDef& tag) {
    if (tag.idName.size() >= kNameField)
        throw std::invalid_argument("stg: sound name longer than 31 characters: " + tag.idName);
    ChunkOut out;
    out.Word(0);
    out.Word(tag.type);
    out.Text(tag.idName, kNameField);
    out.Word(u32(tag.id));
    out.Word(tag.flags);
    out.Word(tag.priority);
    out.Float(tag.pitch);
    out.Float(tag.pitchVariance);
    out.Float(tag.volumeVariance);
    out.Floats(tag.volumeMix.data(), u32(tag.volumeMix.size()));
    out.Float(tag.maxVol);
    out.Float(tag.maxAudDist);
    return out.Take();
}

}  // namespace discbuild
