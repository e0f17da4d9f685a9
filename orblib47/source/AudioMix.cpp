// Six-speaker volume mixes: validity, offset, scale.
#include <initializer_list>

#include "orblib47/source/Sound.h"

namespace {

// Not-a-number fails both comparisons, so it is never valid.
bool Valid(f32 value) {
    return value >= 0.0001f && value <= 1.0f;
}

template <typename Op>
void ForEach(s_VOLUME_MIX* mix, Op op) {
    for (f32* value : {&mix->volL, &mix->volR, &mix->volC, &mix->volLS, &mix->volRS, &mix->volLFE})
        op(*value);
}

}  // namespace

void AudioSetValidVolumeMix(s_VOLUME_MIX* mix) {
    ForEach(mix, [](f32& value) {
        if (!Valid(value))
            value = 0.0f;
    });
}

void AudioSetVolumeMixOffset(s_VOLUME_MIX* mix, f32 offset) {
    ForEach(mix, [offset](f32& value) {
        if (Valid(value))
            value += offset;
    });
}

void AudioSetVolumeMixScale(s_VOLUME_MIX* mix, f32 scale) {
    if (!(scale >= 0.0f && scale <= 1.0f))
        return;
    ForEach(mix, [scale](f32& value) { value *= scale; });
}

int AudioCheckVolumeMix(const s_VOLUME_MIX* mix) {
    for (f32 value : {mix->volL, mix->volR, mix->volC, mix->volLS, mix->volRS, mix->volLFE}) {
        if (Valid(value))
            return 1;
    }
    return 0;
}
