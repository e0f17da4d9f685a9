// Parsing a "GRP" chunk: the group count, the first group's offset, the group and
// its definitions, every offset and count checked. Only the first group is used.
#include <bit>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/SymbolTrans.h"

namespace {

constexpr u32 kGroupSize = 504;
constexpr u32 kModelsAt = 24;
constexpr u32 kModelDefSize = 60;

// A symbol id (top bit set) becomes the value it stands for; one the table does not
// hold stays as it is and finds nothing later.
u32 TranslateId(u32 id) {
    u32 value = id;
    if ((id & 0x80000000u) != 0 && SymbolTransLookup(id & 0x7FFFFFFFu, &value) == RET_NO_ERROR)
        return value;
    return id;
}

bool ParseName(const ChunkReader& chunk, const ChunkReader& record, u32 at, const char** out) {
    u32 offset = 0;
    return record.U32(at, &offset) && chunk.CString(offset, out);
}

bool ParseModelDef(const ChunkReader& chunk, const ChunkReader& r, s_model_def* def) {
    u32 modelId = 0, flags = 0, minDist = 0, maxDist = 0;
    s32 type = 0, subType = 0, lodLevel = 0, wadIndex = 0;
    const bool read = r.U32(12, &modelId) && ParseName(chunk, r, 16, &def->name) && r.S32(20, &type) &&
                      r.S32(24, &subType) && r.S32(28, &lodLevel) && r.U32(32, &minDist) &&
                      r.U32(36, &maxDist) && r.U32(40, &flags) && r.S32(44, &wadIndex);
    if (!read)
        return false;
    def->modelId = TranslateId(modelId);
    def->type = e_MODEL_TYPE(type);
    def->subType = e_MODEL_SUB_TYPE(subType);
    def->lodLevel = e_LOD_LEVEL(lodLevel);
    def->lodMinDist = std::bit_cast<f32>(minDist);
    def->lodMaxDist = std::bit_cast<f32>(maxDist);
    def->flags = flags;
    def->wadIndex = wadIndex;
    return true;
}

bool ParseGroup(const ChunkReader& chunk, s_model_group* group) {
    s32 numGroups = 0;
    u32 groupAt = 0;
    ChunkReader r;
    if (!chunk.S32(0, &numGroups) || numGroups < 1 || !chunk.U32(4, &groupAt) ||
        !chunk.Sub(groupAt, kGroupSize, &r))
        return false;
    u32 groupId = 0, type = 0;
    if (!r.S32(4, &group->numModels) || group->numModels < 0 || group->numModels > MODEL_GROUP_MAX_MODELS ||
        !r.U32(8, &groupId) || !r.U32(16, &type) || !ParseName(chunk, r, 20, &group->name))
        return false;
    group->groupId = TranslateId(groupId);
    group->type = e_GROUP_TYPE(type);
    for (s32 i = 0; i < group->numModels; ++i) {
        ChunkReader def;
        if (!r.Sub(kModelsAt + u32(i) * kModelDefSize, kModelDefSize, &def) ||
            !ParseModelDef(chunk, def, &group->models[i]))
            return false;
    }
    return true;
}

}  // namespace

s_model_group* ModelGroupParseChunk(const char* name, const u8* data, u32 size) {
    auto* group = static_cast<s_model_group*>(HeapCalloc(1, sizeof(s_model_group), __FILE_NAME__, __LINE__));
    if (group == nullptr)
        return nullptr;
    if (!ParseGroup(ChunkReader(data, size), group)) {
        DEBUG_PRINT("ModelGroupLoad: bad chunk \"%s\"\n", DebugName(name).c_str());
        HeapMallocFree(group);
        return nullptr;
    }
    return group;
}
