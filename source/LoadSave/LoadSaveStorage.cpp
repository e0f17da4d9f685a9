// The storage status questions: sampled over a second of frames, so that a status
// the poll task has just changed is seen.
#include "orblib47/source/NGC/MemCard.h"
#include "orblib47/source/OrbLib.h"
#include "source/LoadSave/LoadSave.h"

namespace {

s32 SampleStatus(u32 card, u32 bit) {
    s32 sample = 0;
    for (u32 frame = 0; frame < SAVE_STATUS_FRAMES; ++frame) {
        sample = (MemCardGetStatus(card).word & bit) != 0 ? 1 : 0;
        EventWait(1);
    }
    return sample;
}

}  // namespace

s32 CLoadSave::MemoryCardPresent(u32 card) {
    return SampleStatus(card, Mem_Card_Present);
}

s32 CLoadSave::MemoryCardChanged(u32 card) {
    const s32 changed = SampleStatus(card, Mem_Card_Changed);
    if (changed != 0) {
        m_MemoryCopyValid = 0;
        m_ImageValid = false;
    }
    return changed;
}
