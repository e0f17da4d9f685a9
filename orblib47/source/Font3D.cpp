// Loading, sharing and freeing 3-D fonts.
#include "orblib47/source/Font3D.h"

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

s_font3d* Fonts3D = nullptr;
s_font3d* CurrentFont3D = nullptr;

namespace {

constexpr const char* kType = "F3D";

void Append(s_font3d* font) {
    font->next = nullptr;
    font->prev = nullptr;
    s_font3d** slot = &Fonts3D;
    while (*slot != nullptr) {
        font->prev = *slot;
        slot = &(*slot)->next;
    }
    *slot = font;
}

void Unlink(s_font3d* font) {
    if (font->prev != nullptr)
        font->prev->next = font->next;
    else
        Fonts3D = font->next;
    if (font->next != nullptr)
        font->next->prev = font->prev;
}

// A character whose model is not loaded keeps no model; the others still work.
void BindModels(s_font3d* font) {
    for (s32 i = 0; i < font->numChars; ++i) {
        s_font3d_char& c = font->models[i];
        c.hmodel = HModelLoad(c.FileName, 0);
        if (c.hmodel != nullptr) {
            ModelCalcBounds(c.hmodel->model);
            c.HalfWidth = ModelGetHalfWidth(c.hmodel->model);
        } else {
            DEBUG_PRINT("Font3DLoad HModel %s not loaded!\n", DebugName(c.FileName).c_str());
        }
    }
}

s_font3d* Register(const char* name, void* data, u32 size) {
    s_font3d* font = Font3DParseChunk(name, static_cast<const u8*>(data), size);
    HeapMallocFree(data);  // everything the font needs is in its record
    if (font == nullptr)
        return nullptr;
    s_DATA_ENTRY* entry = DataLoadRecord(name, kType, font);
    if (entry == nullptr)
        return nullptr;
    font->dataEntry = entry;
    Append(font);
    BindModels(font);
    return font;
}

}  // namespace

void* WadLoadFont3D(s_wad_header* header, void* payload) {
    return Font3DLoad(header->name, payload, header->size);
}

void WadFreeFont3D(void* data) {
    Font3DFree(static_cast<s_font3d*>(data));
}

s_font3d* Font3DLoad(const char* name, void* data, u32 size) {
    bool registered = false;
    auto* font = static_cast<s_font3d*>(DataShareLoaded(name, kType, data, &registered));
    if (!registered && data != nullptr) {
        if (name != nullptr)
            font = Register(name, data, size);
        else
            HeapMallocFree(data);
    }
    CurrentFont3D = font;
    return font;
}

void Font3DFree(s_font3d* font) {
    if (font == nullptr)
        return;
    if (DataRemoveCheck(font->dataEntry)) {
        for (s32 i = 0; i < font->numChars; ++i) {
            if (font->models[i].hmodel != nullptr)
                HModelFree(font->models[i].hmodel);
            else
                DEBUG_PRINT("FONT3D: Missing HModel!\n");
        }
        Unlink(font);
        if (CurrentFont3D == font)
            CurrentFont3D = nullptr;
    }
    DataRemove(font->dataEntry);
}
