// The window's keyboard and mouse as remote 0, pressed by SDL events as the
// window's event pump delivers them.
#include <SDL.h>

#include "console/hid.h"
#include "console/input/remote.h"
#include "console/kpad.h"
#include "console/os.h"
#include "console/vi.h"
#include "tests/console/support.h"

namespace {

// Pressed and let go before the next read.
void Tap(SDL_Event event, Uint32 up) {
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    event.type = up;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

void TapKey(SDL_Scancode key) {
    SDL_Event event{SDL_KEYDOWN};
    event.key.keysym.scancode = key;
    Tap(event, SDL_KEYUP);
}

// The newest of the samples a read takes after `retraces`, as the pads use it;
// counts the samples that press A.
KPADStatus Read(u32 retraces, u32* aPresses) {
    for (u32 i = 0; i < retraces; ++i)
        VIWaitForRetrace();
    KPADStatus samples[KPAD_MAX_READ_BUFS];
    const s32 count = KPADRead(0, samples, KPAD_MAX_READ_BUFS);
    for (s32 i = 0; i < count; ++i)
        *aPresses += (samples[i].trig & WPAD_BUTTON_A) != 0;
    return samples[0];
}

using WindowInputTest = ConsoleTest;

// The menus read the remotes every retrace, the lane every other one: either way
// a tap between two reads is held in the next one only, and presses once.
TEST_F(WindowInputTest, ATapBetweenTwoReadsIsHeldInTheNextOnly) {
    VIInit();
    console::RemotesStart(console::MakeWindowSource());
    u32 aPresses = 0;
    Read(0, &aPresses);
    for (u32 retraces : {1u, 2u}) {
        aPresses = 0;
        TapKey(SDL_SCANCODE_RETURN);
        TapKey(SDL_SCANCODE_E);
        TapKey(SDL_SCANCODE_F5);
        SDL_Event click{SDL_MOUSEBUTTONDOWN};
        click.button.button = SDL_BUTTON_RIGHT;
        Tap(click, SDL_MOUSEBUTTONUP);
        KPADStatus sample = Read(retraces, &aPresses);
        EXPECT_EQ(sample.hold, WPAD_BUTTON_A | WPAD_BUTTON_B) << retraces;
        EXPECT_GT(sample.acc.x, 0.0f) << "rolled right";
        EXPECT_TRUE(OSGetResetButtonState());
        sample = Read(retraces, &aPresses);
        EXPECT_EQ(sample.hold, 0u);
        EXPECT_FALSE(OSGetResetButtonState());
        EXPECT_EQ(aPresses, 1u);
        TapKey(SDL_SCANCODE_R);
        EXPECT_EQ(Read(retraces, &aPresses).acc.x, 0.0f) << "levelled";
    }
    console::RemotesStart(nullptr);
}

// The HOME menu opens only on HOME pressed alone: each of its keys gives exactly that.
TEST_F(WindowInputTest, EachHomeKeyPressesHomeAlone) {
    VIInit();
    console::RemotesStart(console::MakeWindowSource());
    u32 aPresses = 0;
    Read(0, &aPresses);
    for (SDL_Scancode key : {SDL_SCANCODE_H, SDL_SCANCODE_HOME}) {
        TapKey(key);
        EXPECT_EQ(Read(1, &aPresses).trig, WPAD_BUTTON_HOME) << key;
        EXPECT_EQ(Read(1, &aPresses).hold, 0u) << key;
    }
    console::RemotesStart(nullptr);
}

// Each key is also the USB keyboard's: a tap is its key for one read.
TEST_F(WindowInputTest, KeysReachTheUsbKeyboardAsTheirCodes) {
    VIInit();
    console::RemotesStart(console::MakeWindowSource());
    const struct {
        SDL_Scancode key;
        u8 code;
    } cases[] = {
        {SDL_SCANCODE_A, 'a'},
        {SDL_SCANCODE_SLASH, '/'},
        {SDL_SCANCODE_BACKSPACE, HID_KEY_BACKSPACE},
        {SDL_SCANCODE_LEFT, HID_KEY_LEFT},
        {SDL_SCANCODE_KP_ENTER, HID_KEY_ENTER},
        {SDL_SCANCODE_F1, 0},
    };
    for (const auto& c : cases) {
        TapKey(c.key);
        VIWaitForRetrace();
        HIDKeyboardStatus keys{};
        ASSERT_TRUE(HIDReadKeyboard(&keys));
        EXPECT_EQ(keys.key, c.code) << c.key;
        VIWaitForRetrace();
        ASSERT_TRUE(HIDReadKeyboard(&keys));
        EXPECT_EQ(keys.key, 0) << c.key;
    }
    console::RemotesStart(nullptr);
}

}  // namespace
