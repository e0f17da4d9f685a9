#include <cstring>

#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbEnum.h"
#include "orblib47/source/RViewerModelInternal.h"

const char** RViewerEnumStrings(const s_orb_enum* table, s32* count) {
    s32 n = 0;
    u32 textSize = 0;
    for (; table[n].description != nullptr; ++n)
        textSize += u32(std::strlen(table[n].description)) + 1;
    const u32 pointersSize = u32(n) * sizeof(const char*);
    auto* strings = static_cast<const char**>(HeapMalloc(pointersSize + textSize, __FILE_NAME__, __LINE__));
    if (strings == nullptr)
        return nullptr;
    char* text = reinterpret_cast<char*>(strings) + pointersSize;
    for (s32 i = 0; i < n; ++i) {
        const size_t length = std::strlen(table[i].description) + 1;
        std::memcpy(text, table[i].description, length);
        strings[i] = text;
        text += length;
    }
    *count = n;
    return strings;
}

s_window_obj* RViewerListWindow(const char* title, s32 x, s32 y, s_listbox* list, const char** strings,
                                s32 count, s32 index, UIObjectEventFunc listFunc, s32 extraHeight) {
    FontSet(DebugFont);
    FontSetScale(1.0f, 1.0f);
    list->items = strings;
    list->numItems = count;
    const s_Irect16 rect{s16(x), s16(y), 0, 0};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE, title, nullptr);
    if (window == nullptr)
        return nullptr;
    s_listbox_obj* box = ListboxOpen(10, 28, list, listFunc);
    if (box == nullptr) {
        UIObjectClose(&window->obj);
        return nullptr;
    }
    ListboxSetSelection(box, index);
    UIObjectLink(&window->obj, &box->obj);
    window->obj.rect.w = s16(ListboxGetWidth(box) + 20);
    window->obj.rect.h = s16(box->obj.rect.h + extraHeight);
    return window;
}

void RViewerListWindowClose(s_window_obj** window, const char*** strings, s32* x, s32* y) {
    if (*window == nullptr)
        return;
    *x = (*window)->obj.rect.x;
    *y = (*window)->obj.rect.y;
    if (*strings != nullptr)
        HeapMallocFree(*strings);
    *strings = nullptr;
    UIObjectRequestClose(&(*window)->obj);
    *window = nullptr;
}
