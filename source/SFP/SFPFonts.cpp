// The player's font table: a movie font is a row naming a font and the archive
// that brings it; the row holds the font while any loaded screen uses it.
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Wad.h"
#include "source/SFP/SFPInternal.h"

namespace {

s32 RowNamed(const char* movieFont) {
    for (s32 row = 0; row < SFPPlayer.numFonts; ++row) {
        if (std::strncmp(SFPPlayer.fonts[row].movieFontName, movieFont, SFP2K_FONT_NAME_LEN) == 0)
            return row;
    }
    return -1;
}

// The row's font by name: already loaded by someone, else from the row's archive.
// FontLoad makes what it returns the current font; the current font stays.
bool LoadRow(SFP_FONT_LOOKUP_t* row) {
    char name[SFP2K_FONT_NAME_LEN + 1] = {};
    std::strncpy(name, row->fontName, SFP2K_FONT_NAME_LEN);
    s_font* current = CurrentFont;
    row->font = FontLoad(name);
    if (row->font == nullptr) {
        char wadName[SFP2K_FONT_NAME_LEN + 1] = {};
        std::strncpy(wadName, row->wadName, SFP2K_FONT_NAME_LEN);
        row->wad = WadLoad(wadName, 0);
        row->font = row->wad != nullptr ? FontLoad(name) : nullptr;
        if (row->font == nullptr) {
            WadFree(row->wad);
            row->wad = nullptr;
        }
    }
    FontSet(current);
    return row->font != nullptr;
}

}  // namespace

void SFPFontsInit(SFP_FONT_LOOKUP_t* fonts, s32 numFonts) {
    SFPPlayer.fonts = fonts;
    SFPPlayer.numFonts = fonts != nullptr && numFonts > 0 ? numFonts : 0;
    for (s32 row = 0; row < SFPPlayer.numFonts; ++row) {
        fonts[row].wad = nullptr;
        fonts[row].font = nullptr;
        fonts[row].refCount = 0;
    }
}

s32 SFPFontAcquire(const char* movieFont, const char* movie) {
    const s32 row = RowNamed(movieFont);
    if (row < 0) {
        DEBUG_PRINT(
            "SFP2K: %s uses the font %s, which is not in the font table: its text is in the system font\n",
            movie, movieFont);
        return -1;
    }
    SFP_FONT_LOOKUP_t& entry = SFPPlayer.fonts[row];
    if (entry.refCount == 0 && !LoadRow(&entry)) {
        DEBUG_PRINT("SFP2K: %s uses the font %s, which cannot be loaded: its text is in the system font\n",
                    movie, movieFont);
        return -1;
    }
    ++entry.refCount;
    return row;
}

void SFPFontRelease(s32 row) {
    if (row < 0 || row >= SFPPlayer.numFonts)
        return;
    SFP_FONT_LOOKUP_t& entry = SFPPlayer.fonts[row];
    if (--entry.refCount > 0)
        return;
    FontFree(entry.font);
    WadFree(entry.wad);
    entry.font = nullptr;
    entry.wad = nullptr;
}

s_font* SFPFontOf(s32 row) {
    return row >= 0 && row < SFPPlayer.numFonts ? SFPPlayer.fonts[row].font : SystemFont;
}
