// The disc-error messages: drawn with the error font when it is loaded, otherwise
// written straight into the external frame buffer with the built-in 8x8 font.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "console/os.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/HardwareInternal.h"

namespace {

enum class Ink { Yellow, White, OpaqueWhite };

// A null text stands for the title line: "<GameName> Game Disc.".
struct FontLine {
    const char* text;
    Ink ink;
    f32 scale;
    f32 y;
};

struct BitmapLine {
    const char* text;
    u32 y;
};

struct Message {
    u32 status;
    FontLine font[4];
    u32 fontLines;
    BitmapLine bitmap[4];
    u32 bitmapLines;
};

const Message kMessages[] = {
    {0, {{"Loading...", Ink::OpaqueWhite, 1.2f, 230}}, 1, {}, 0},
    {FILE_ERROR_RETRY,
     {{"The Game Disc could not be read.", Ink::Yellow, 1.2f, 140},
      {"Please read the", Ink::White, 1.0f, 200},
      {"Wii Operations Manual", Ink::White, 1.0f, 240},
      {"for more information.", Ink::White, 1.0f, 280}},
     4,
     {{"The Game Disc could not be read.", 240},
      {"Please read the", 300},
      {"Wii Operations Manual", 340},
      {"for more information.", 380}},
     4},
    {FILE_ERROR_WRONG_DISC,
     {{"This is not the", Ink::White, 1.2f, 150},
      {nullptr, Ink::White, 1.2f, 190},
      {"Please insert the", Ink::White, 1.2f, 230},
      {nullptr, Ink::White, 1.2f, 270}},
     4,
     {{"This is not the", 190}, {nullptr, 230}, {"Please insert the", 280}, {nullptr, 320}},
     4},
    {FILE_ERROR_COVER_OPEN,
     {{"The Disc Cover is open.  If you want", Ink::White, 1.2f, 190},
      {"to continue the game, please close", Ink::White, 1.2f, 230},
      {"the Disc Cover.", Ink::White, 1.2f, 270}},
     3,
     {{"The Disc Cover is open.  If you want", 190}, {"to continue the game, please close", 230}},
     2},
    {FILE_ERROR_NO_DISC,
     {{"Please insert the", Ink::White, 1.2f, 190}, {nullptr, Ink::White, 1.2f, 230}},
     2,
     {{"Please insert the", 190}, {nullptr, 230}},
     2},
    {FILE_ERROR_FATAL,
     {{"An error has occurred.", Ink::Yellow, 1.2f, 140},
      {"Turn the power off and refer to the", Ink::White, 1.0f, 200},
      {"Nintendo GameCube\x7F Instruction", Ink::White, 1.0f, 240},
      {"Booklet for further instructions.", Ink::White, 1.0f, 280}},
     4,
     {{"An error has occurred.", 140},
      {"Turn the power off and refer to the", 200},
      {"Nintendo GameCube\x7F Instruction", 240},
      {"Booklet for further instructions.", 280}},
     4},
};

const Message* FindMessage(u32 status) {
    const auto found = std::find_if(std::begin(kMessages), std::end(kMessages),
                                    [status](const Message& m) { return m.status == status; });
    return found != std::end(kMessages) ? found : nullptr;
}

// Room for the longest title, a space, "Game Disc." and the terminator.
struct TitleLine {
    char text[HARDWARE_GAME_NAME_SIZE + 16];
    TitleLine() { std::snprintf(text, sizeof(text), "%s %s", GameName, "Game Disc."); }
};

u32 InkColor(Ink ink) {
    switch (ink) {
        case Ink::Yellow:
            return 0xFFFF0000u | ErrorTextFadeAlpha;
        case Ink::White:
            return 0xFFFFFF00u | ErrorTextFadeAlpha;
        case Ink::OpaqueWhite:
            break;
    }
    return 0xFFFFFFFFu;
}

void PrintWithFont(const Message& message, s_font* font) {
    const TitleLine title;
    DrawContext.viewport->fadeColor = 0;
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    s_font* const previous = FontSetDefaults(font);
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    for (u32 i = 0; i < message.fontLines; ++i) {
        const FontLine& line = message.font[i];
        DrawSetFlatColor(InkColor(line.ink));
        FontSetScale(line.scale, line.scale);
        FontDrawString(line.text != nullptr ? line.text : title.text, 0, f32(DrawContext.screenCenter.x),
                       line.y);
    }
    FontSet(previous);
    DrawSetProjection(projection);
}

// YUYV words as the frame buffer holds them: Y0 U Y1 V.
constexpr u8 kBlackWord[4] = {0x00, 0x80, 0x00, 0x80};
constexpr u8 kWhiteWord[4] = {0xFF, 0x80, 0xFF, 0x80};

}  // namespace

void HardwareErrorPrintMessage(u32 status) {
    const Message* message = FindMessage(status);
    if (message == nullptr)
        return;
    if (s_font* font = HardwareGetErrorFont()) {
        PrintWithFont(*message, font);
        return;
    }
    void* xfb = FrameBuffer[ActiveBuffer];
    if (xfb == nullptr)
        return;
    HardwareClearXfb(xfb, XfbFrameBufferSize);
    HardwareXfbDisplayError(xfb, status);
}

void HardwareXfbDisplayError(void* xfb, u32 status) {
    const Message* message = FindMessage(status);
    if (message == nullptr)
        return;
    const TitleLine title;
    for (u32 i = 0; i < message->bitmapLines; ++i) {
        const BitmapLine& line = message->bitmap[i];
        HardwareXfbWriteStr(xfb, line.y, line.text != nullptr ? line.text : title.text);
    }
}

// Longer lines are clipped to the row rather than wrapping into the next one or
// starting before it.
void HardwareXfbWriteStr(void* xfb, u32 y, const char* text) {
    constexpr u32 kWordBytes = 4;
    constexpr u32 kCharBytes = 8 * kWordBytes;  // 8 font pixels of 2 screen pixels each
    const u32 length = u32(std::min<size_t>(std::strlen(text), HARDWARE_XFB_LINE_CHARS));
    u8* row = static_cast<u8*>(xfb) + y * (HARDWARE_XFB_ROW_BYTES / 2) +
              (HARDWARE_XFB_LINE_CHARS * kCharBytes - length * kCharBytes) / 2;
    for (u32 r = 0; r < 8; ++r) {
        u8* out = row;
        for (u32 i = 0; i < length; ++i) {
            const u8 bits = HardwareFontGlyph(u8(text[i]))[r];
            for (u32 bit = 0x80; bit != 0; bit >>= 1, out += kWordBytes) {
                const u8* word = (bits & bit) != 0 ? kWhiteWord : kBlackWord;
                std::memcpy(out, word, kWordBytes);
                std::memcpy(out + HARDWARE_XFB_ROW_BYTES, word, kWordBytes);
            }
        }
        DCFlushRangeNoSync(row, length * kCharBytes);
        DCFlushRangeNoSync(row + HARDWARE_XFB_ROW_BYTES, length * kCharBytes);
        row += 2 * HARDWARE_XFB_ROW_BYTES;
    }
}

void HardwareClearXfb(void* xfb, u32 size) {
    u8* bytes = static_cast<u8*>(xfb);
    for (u32 i = 0; i + 4 <= size; i += 4)
        std::memcpy(bytes + i, kBlackWord, 4);
    DCFlushRangeNoSync(xfb, size);
}

void HardwareBlackScreen() {
    const u32 mask = DrawSetRgbaMask(0x000000FFu);
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetFlatColor(0x000000FFu);
    DrawSetConstantZ(0.0f);
    const e_ZBUF_MODE depth = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetTexture(nullptr);
    DrawFilledIrect(&DrawContext.viewport->rect);
    DrawSetZBufferMode(depth);
    DrawSetConstantZ(0.0f);
    DrawSetRgbaMask(mask);
}
