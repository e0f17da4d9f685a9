// A "GRP" chunk's payload handed to the model-group loader, every definition's
// name read and a model chosen by distance and by type, and the group released.
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/OrbLib.h"

namespace {

constexpr u32 kGroupId = 1;

volatile std::size_t Total = 0;  // the reads must happen

void Check(s_model_group* group) {
    if (group->numModels < 0 || group->numModels > MODEL_GROUP_MAX_MODELS)
        fuzz::Fail("a model count outside the group was kept");
    Total = Total + std::strlen(group->name);
    for (s32 i = 0; i < group->numModels; ++i) {
        const s_model_def& def = group->models[i];
        if (def.model != nullptr || def.wad != nullptr || def.wadStatus != nullptr || def.next != nullptr)
            fuzz::Fail("a run-time slot came from the file");
        Total = Total + std::strlen(def.name);
    }
    DataRegister("FUZZ", "GRP", kGroupId);
    s32 prevIndex = -1;
    const s_Vector3 pos = {0.0f, 0.0f, -10.0f, 0.0f};
    ModelGroupGetModel(kGroupId, MODEL_TYPE_NORMAL, MODEL_SUB_TYPE_NONE, &pos, &prevIndex);
    ModelGroupGetModelLod(kGroupId, MODEL_TYPE_DAMAGE0, MODEL_SUB_TYPE_NONE, &prevIndex);
    ModelGroupFree(group);
    // A streamed model's archive read was started: its request ends once the read
    // does (the disc has no such archive).
    for (s32 frame = 0; frame < 1000 && ModelGroupLoading(); ++frame)
        EventWait(1);
    if (ModelGroupLoading())
        fuzz::Fail("a model read never finished");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    void* payload = fuzz::HeapCopy({data, size});
    if (payload == nullptr)
        return 0;
    if (s_model_group* group = ModelGroupLoad("FUZZ", payload, u32(size)))
        Check(group);
    return 0;
}
