// Loading and sharing fonts, and the current font and text state.
#include "orblib47/source/Font.h"

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/FontInternal.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

s_font* Fonts = nullptr;
s_font* CurrentFont = nullptr;
s_font* SystemFont = nullptr;
s_font* IconFont = nullptr;
s_font* SpecialFont = nullptr;
s32 FontMode = FONT_MODE_PROPORTIONAL;
s32 FontJustification = FONT_JUSTIFY_LEFT;
s_Vector3 FontPenLoc = {0.0f, 0.0f, 0.0f, 0.0f};
f32 FontScaleX = 1.0f;
f32 FontScaleY = 1.0f;
f32 FontHeight = 0.0f;
s_font_color FontColor = {1.0f, 1.0f, 1.0f, 1.0f};
u8 FontNumSpecialChars = 0;
u8 FontSpecialCharOffset = 0;

namespace {

constexpr const char* kType = "FNT";
constexpr s32 kSpecialRangeSkip = 7;  // above this many, the range reaches past the four excluded codes

void Link(s_font* font) {
    font->prev = nullptr;
    font->next = Fonts;
    if (Fonts != nullptr)
        Fonts->prev = font;
    Fonts = font;
}

void Unlink(s_font* font) {
    if (font->prev != nullptr)
        font->prev->next = font->next;
    else
        Fonts = font->next;
    if (font->next != nullptr)
        font->next->prev = font->prev;
}

// The module's pointers never outlive the font they name.
void Forget(const s_font* font) {
    for (s_font** slot : {&CurrentFont, &SystemFont, &IconFont, &SpecialFont}) {
        if (*slot == font)
            *slot = nullptr;
    }
}

s_font* Register(const char* name, void* data, u32 size) {
    s_font* font = FontParseChunk(name, static_cast<const u8*>(data), size);
    HeapMallocFree(data);  // everything the font needs is in its record
    if (font == nullptr)
        return nullptr;
    s_DATA_ENTRY* entry = DataLoadRecord(name, kType, font);
    if (entry == nullptr)
        return nullptr;
    font->dataEntry = entry;
    Link(font);
    for (s32 i = 0; i < font->textureCount; ++i)
        font->textures[i].texture = TextureLoad(font->textures[i].name);
    return font;
}

}  // namespace

void* WadLoadFont(s_wad_header* header, void* payload) {
    return FontLoad(header->name, payload, header->size);
}

void WadFreeFont(void* data) {
    FontFree(static_cast<s_font*>(data));
}

void FontWarmReset(u32) {
    Fonts = nullptr;
    CurrentFont = SystemFont = IconFont = SpecialFont = nullptr;
    FontMode = FONT_MODE_PROPORTIONAL;
    FontJustification = FONT_JUSTIFY_LEFT;
    FontPenLoc = {0.0f, 0.0f, 0.0f, 0.0f};
    FontScaleX = FontScaleY = 1.0f;
    FontHeight = 0.0f;
    FontColor = {1.0f, 1.0f, 1.0f, 1.0f};
    FontNumSpecialChars = FontSpecialCharOffset = 0;
}

e_error_code FontStartup(const char* systemName, const char* iconName, const char* specialName,
                         s32 numSpecial, s32 specialOffset) {
    SystemFont = FontLoad(systemName);
    IconFont = FontLoad(iconName);
    SpecialFont = FontLoad(specialName);
    if (numSpecial > FONT_MAX_SPECIAL_CHARS) {
        DEBUG_PRINT("ERROR! Too many special characters!\n");
        numSpecial = FONT_MAX_SPECIAL_CHARS;
    }
    if (numSpecial > kSpecialRangeSkip)
        numSpecial += 4;
    FontNumSpecialChars = u8(numSpecial);
    FontSpecialCharOffset = u8(specialOffset);
    // A font that is not asked for (no name) is not missing.
    const bool missing = (systemName != nullptr && SystemFont == nullptr) ||
                         (iconName != nullptr && IconFont == nullptr) ||
                         (specialName != nullptr && SpecialFont == nullptr);
    return missing ? RET_ERROR : RET_NO_ERROR;
}

s_font* FontLoad(const char* name, void* data, u32 size) {
    bool registered = false;
    auto* font = static_cast<s_font*>(DataShareLoaded(name, kType, data, &registered));
    if (!registered && data != nullptr) {
        if (name != nullptr)
            font = Register(name, data, size);
        else
            HeapMallocFree(data);
    }
    CurrentFont = font;
    return font;
}

void FontFree(s_font* font) {
    if (font == nullptr)
        return;
    if (DataRemoveCheck(font->dataEntry)) {
        for (s32 i = 0; i < font->textureCount; ++i)
            TextureFree(font->textures[i].texture);
        Unlink(font);
        Forget(font);
    }
    DataRemove(font->dataEntry);
}

s_font* FontSet(s_font* font) {
    s_font* previous = CurrentFont;
    CurrentFont = font;
    return previous;
}

s_font* FontSetDefaults(s_font* font) {
    s_font* previous = FontSet(font);
    FontMode = FONT_MODE_PROPORTIONAL;
    FontJustification = FONT_JUSTIFY_LEFT;
    FontScaleX = FontScaleY = 1.0f;
    FontPenLoc.z = 0.0f;
    DrawSetFlatColor(0xFFFFFFFFu);
    return previous;
}

s32 FontSetMode(s32 mode) {
    const s32 previous = FontMode;
    FontMode = mode;
    return previous;
}

s32 FontSetJustification(s32 justification) {
    const s32 previous = FontJustification;
    FontJustification = justification;
    return previous;
}

void FontSetScale(f32 x, f32 y) {
    FontScaleX = x;
    FontScaleY = y;
}

void FontGetScale(f32* x, f32* y) {
    if (x != nullptr)
        *x = FontScaleX;
    if (y != nullptr)
        *y = FontScaleY;
}

void FontSetHeight(f32 height) {
    FontHeight = height;
    if (CurrentFont != nullptr)
        FontScaleX = FontScaleY = height / f32(CurrentFont->height);
}

void FontMoveTo(f32 x, f32 y) {
    FontPenLoc.x = x;
    FontPenLoc.y = y;
}
