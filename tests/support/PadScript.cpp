#include "tests/support/PadScript.h"

#include <gtest/gtest.h>

#include "orblib47/source/Pad.h"
#include "source/SFP/SFP2K.h"

namespace {

struct Key {
    char key;
    u32 word;
    const char* name;  // the input script's name of the button
};

constexpr Key kKeys[] = {
    {'u', PAD_UP, "up"},     {'d', PAD_DOWN, "down"},   {'l', PAD_LEFT, "left"}, {'r', PAD_RIGHT, "right"},
    {'a', PAD_A, "a"},       {'b', PAD_B, "b"},         {'1', PAD_1, "1"},       {'2', PAD_2, "2"},
    {'+', PAD_PLUS, "plus"}, {'m', PAD_MINUS, "minus"},
};

bool Idle(char key) {
    return key == '-' || key == '.';
}

const Key* Find(char key) {
    for (const Key& k : kKeys)
        if (k.key == key)
            return &k;
    ADD_FAILURE() << "no press '" << key << "'";
    return nullptr;
}

}  // namespace

u32 PadWord(char key) {
    if (Idle(key))
        return 0;
    if (key == 'x')
        return PAD_PLUS | PAD_MINUS;
    const Key* k = Find(key);
    return k != nullptr ? k->word : 0;
}

void PressOn(s32 screen, std::string_view presses, s32 pad) {
    SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(screen);
    ASSERT_NE(info, nullptr);
    for (const char key : presses) {
        Pad[pad].bdown = Pad[pad].bnew = PadWord(key);
        info->Update(screen, info);
    }
    Pad[pad].bdown = Pad[pad].bnew = 0;
}

std::string ScriptPresses(std::string_view keys, s32 first, s32 every) {
    std::string script = "0 0 connect\n";
    s32 frame = first;
    for (const char key : keys) {
        const Key* k = Idle(key) ? nullptr : Find(key);
        if (k != nullptr) {
            script += std::to_string(frame) + " 0 button " + k->name + " down\n";
            script += std::to_string(frame + 2) + " 0 button " + k->name + " up\n";
        }
        frame += every;
    }
    return script;
}

std::string ScriptPress(char key) {
    return ScriptPresses(std::string_view(&key, 1), 1, 0);
}
