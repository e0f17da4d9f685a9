// The HOME-button menu's files: the first byte picks one, the rest is its
// content. 0: the layout archive, set up by HBMCreate with the built-in texts
// and settings, then opened, run for a few frames of input with every button
// pressed, drawn and deleted; 1: the texts' table in every language; 2: the
// settings, whose values taken must lie in their ranges.
#include <span>
#include <vector>

#include "console/wpad.h"
#include "fuzz/fuzz_world.h"
#include "orblib47/source/NGC/HBMInternal.h"

namespace {

void Layout(std::span<const u8> file) {
    static std::vector<u64> mem(HBM_MEM_SIZE / sizeof(u64));
    std::vector<u8> copy(file.begin(), file.end());
    HBMDataInfo info{};
    info.layoutBuf = copy.data();
    info.layoutSize = u32(copy.size());
    info.mem = mem.data();
    info.memSize = HBM_MEM_SIZE;
    if (HBMCreate(&info) == FALSE)
        return;
    HBMInit();
    KPADStatus pad{};
    pad.dpd_valid_fg = 2;
    HBMControllerData controllers{};
    controllers.wiiCon[0].kpad = &pad;
    for (u32 trig : {WPAD_BUTTON_DOWN, WPAD_BUTTON_UP, 0u, WPAD_BUTTON_B}) {
        pad.trig = trig;
        pad.pos = {f32(trig % 7) / 3.0f - 1.0f, 0.1f};
        HBMCalc(&controllers);
        HBMDraw();
    }
    HBMStartBlackOut();
    HBMCalc(&controllers);
    HBMDraw();
    HBMDelete();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    if (size == 0)
        return 0;
    fuzz::Input input;
    const std::span<const u8> file(data + 1, size - 1);
    switch (data[0] % 3) {
        case 0:
            Layout(file);
            break;
        case 1:
            for (s32 language = -1; language <= s32(HBM_LANGUAGES); ++language) {
                s_hbm_texts texts = HBMDefaultTexts();
                HBMParseTexts(file.data(), u32(file.size()), language, &texts);
                for (const char* text : texts.text) {
                    if (text[0] == '\0')
                        fuzz::Fail("an empty text");
                }
            }
            break;
        default: {
            s_hbm_config config;
            HBMParseConfig(file.data(), u32(file.size()), &config);
            if (config.blackoutFrames < 1 || config.blackoutFrames > 600 || config.volume < 0 ||
                config.volume > 100)
                fuzz::Fail("a setting out of its range");
            break;
        }
    }
    return 0;
}
