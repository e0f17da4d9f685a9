// A ".sfp" movie parsed from the input as the player parses the file it read. A
// refusal is one line; a movie taken has every index followed as the player
// follows them, its tree walked from the root and counted, then it is freed.
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "source/SFP/SFPFile.h"
#include "tests/support/ReportCapture.h"

namespace {

volatile std::size_t Total = 0;  // the reads must happen

template <typename T>
const T& At(std::span<T> table, u64 index) {
    if (index >= table.size())
        fuzz::Fail("an index outside its table was taken");
    return table[index];
}

// The symbols an object nests: its instance's, or its button's looks.
template <typename Visit>
void Nested(const s_sfp_movie& m, const s_sfp_object& object, Visit visit) {
    if (object.kind == SFP_KIND_INSTANCE)
        visit(s64(object.ref));
    else if (object.kind == SFP_KIND_BUTTON)
        for (s32 look : At(m.buttons, object.ref).look)
            if (look != -1)
                visit(s64(look));
}

// Every reference of symbol s's labels and objects, as the player follows them.
void Follow(const s_sfp_movie& m, u32 s) {
    const s_sfp_symbol& symbol = At(m.symbols, s);
    for (u32 l = 0; l < symbol.numLabels; ++l)
        if (At(m.labels, u64(symbol.firstLabel) + l).frame >= symbol.numFrames)
            fuzz::Fail("a label past its symbol's frames was taken");
    for (u32 o = 0; o < symbol.numObjects; ++o) {
        const s_sfp_object& object = At(m.objects, u64(symbol.firstObject) + o);
        for (u32 k = 0; k < object.numKeys; ++k)
            if (At(m.keys, u64(object.firstKey) + k).frame >= symbol.numFrames)
                fuzz::Fail("a key past its symbol's frames was taken");
        if (object.kind == SFP_KIND_IMAGE)
            Total = Total + m.textures[At(m.images, object.ref).texture].name[0];
        if (object.kind == SFP_KIND_TEXT)
            Total =
                Total + std::strlen(At(m.texts, object.ref).text) + m.fonts[m.texts[object.ref].font].name[0];
        Nested(m, object, [&](s64 child) {
            if (child <= s64(s) || child >= s64(m.symbols.size()))
                fuzz::Fail("a symbol nesting itself, an earlier one or none was taken");
        });
    }
}

// The instances of symbol s's tree, walked as the player walks it.
u32 Count(const s_sfp_movie& m, u32 s) {
    const s_sfp_symbol& symbol = m.symbols[s];
    u32 count = symbol.numObjects;
    for (u32 o = 0; o < symbol.numObjects; ++o)
        Nested(m, m.objects[symbol.firstObject + o], [&](s64 child) { count += Count(m, u32(child)); });
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    ReportCapture report;
    s_sfp_movie* movie = SFPFileParse(data, u32(size), "FUZZ");
    if (movie == nullptr) {
        const std::string& line = report.text();
        if (line.rfind("SFP2K: FUZZ: ", 0) != 0 || line.find('\n') != line.size() - 1)
            fuzz::Fail("a refusal is not one line: '" + line + "'");
        return 0;
    }
    if (!report.text().empty())
        fuzz::Fail("a movie taken printed '" + report.text() + "'");
    for (u32 s = 0; s < movie->symbols.size(); ++s)
        Follow(*movie, s);
    if (movie->numInstances > SFP_MAX_INSTANCES || Count(*movie, 0) != movie->numInstances)
        fuzz::Fail("the instances counted are not the movie's");
    SFPFileFree(movie);
    return 0;
}
