#include "tools/discbuild/GrpWriter.h"

#include <bit>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

constexpr u32 kGroupAt = 8;  // after the count and the one offset
constexpr u32 kModelsAt = 24;

void PutWord(std::vector<u8>& out, u32 at, u32 value) {
    StoreBE32(&out[at], value);
}

u32 AppendString(std::vector<u8>& out, const std::string& text) {
    const u32 at = u32(out.size());
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    return at;
}

}  // namespace

std::vector<u8> GrpPayload(const GrpGroup& group) {
    if (group.models.size() > kGrpMaxModels)
        throw std::invalid_argument("GRP: more than 8 models");
    std::vector<u8> out(kGroupAt + kGrpGroupSize, 0);
    PutWord(out, 0, 1);
    PutWord(out, 4, kGroupAt);
    PutWord(out, kGroupAt + 4, u32(group.models.size()));
    PutWord(out, kGroupAt + 8, group.groupId);
    PutWord(out, kGroupAt + 16, u32(group.type));
    PutWord(out, kGroupAt + 20, AppendString(out, group.name));
    for (u32 i = 0; i < group.models.size(); ++i) {
        const GrpModelDef& def = group.models[i];
        const u32 at = kGroupAt + kModelsAt + i * kGrpModelDefSize;
        PutWord(out, at + 12, def.modelId);
        PutWord(out, at + 16, AppendString(out, def.name));
        PutWord(out, at + 20, u32(def.type));
        PutWord(out, at + 24, u32(def.subType));
        PutWord(out, at + 28, u32(def.lodLevel));
        PutWord(out, at + 32, std::bit_cast<u32>(def.lodMinDist));
        PutWord(out, at + 36, std::bit_cast<u32>(def.lodMaxDist));
        PutWord(out, at + 40, def.flags);
        PutWord(out, at + 44, u32(def.wadIndex));
    }
    out.resize((out.size() + 3) & ~std::size_t(3));
    return out;
}

}  // namespace discbuild
