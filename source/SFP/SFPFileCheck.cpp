// What refers to what in a parsed movie: every index inside its table, labels,
// objects and keys each of one owner, symbols that nest only symbols after them,
// keys in order inside their symbol's frames, and the number of instances of the
// whole tree.
#include <algorithm>
#include <vector>

#include "source/SFP/SFPFileInternal.h"

namespace {

// Counts stop just past the limit, so no nesting overflows them.
constexpr u32 kOverLimit = SFP_MAX_INSTANCES + 1;

// The records of a table that belong to one owner each. With none shared, checking
// every owner's records costs no more than the table's length.
class Owners {
public:
    explicit Owners(size_t size) : owned_(size) {}

    // Null when [first, first + count) lies in the table and none of it is owned
    // yet; it is now. Otherwise what is wrong.
    const char* Take(u32 first, u32 count) {
        if (first > owned_.size() || count > owned_.size() - first)
            return "outside the table";
        for (u32 i = first; i < first + count; ++i) {
            if (owned_[i])
                return "shared";
            owned_[i] = true;
        }
        return nullptr;
    }

private:
    std::vector<bool> owned_;
};

class Checker {
public:
    Checker(const s_sfp_movie& m, const char* name)
        : m_(m),
          name_(name),
          labels_(m.labels.size()),
          objects_(m.objects.size()),
          keys_(m.keys.size()),
          instances_(m.symbols.size()) {}

    // The root's instances; false when refused.
    bool Run(u32* numInstances);

private:
    bool Indices();
    bool Symbol(u32 s);
    bool Keys(u32 s, u32 o);
    // A symbol that symbol `s` nests, and its instances into *count.
    bool Nested(u32 s, u32 o, s64 symbol, u32* count);
    // The object's instances, itself included.
    bool Object(u32 s, u32 o, u32* count);

    const s_sfp_movie& m_;
    const char* name_;
    Owners labels_, objects_, keys_;
    std::vector<u32> instances_;  // of each symbol's tree, filled from the last symbol on
};

bool Checker::Indices() {
    for (u32 i = 0; i < m_.images.size(); ++i)
        if (m_.images[i].texture >= m_.textures.size())
            return SFPFileFail(name_, "image %u: texture %u outside the table", i, m_.images[i].texture);
    for (u32 i = 0; i < m_.texts.size(); ++i)
        if (m_.texts[i].font >= m_.fonts.size())
            return SFPFileFail(name_, "text %u: font %u outside the table", i, m_.texts[i].font);
    for (u32 i = 0; i < m_.buttons.size(); ++i)
        for (s32 look : m_.buttons[i].look)
            if (look < -1 || s64(look) >= s64(m_.symbols.size()))
                return SFPFileFail(name_, "button %u: look %d outside the symbol table", i, look);
    return true;
}

bool Checker::Keys(u32 s, u32 o) {
    const s_sfp_object& object = m_.objects[o];
    if (object.numKeys == 0)
        return SFPFileFail(name_, "object %u has no keys", o);
    if (const char* fault = keys_.Take(object.firstKey, object.numKeys))
        return SFPFileFail(name_, "object %u: keys %s", o, fault);
    for (u32 k = 1; k < object.numKeys; ++k)
        if (m_.keys[object.firstKey + k].frame <= m_.keys[object.firstKey + k - 1].frame)
            return SFPFileFail(name_, "object %u: keys not in increasing frame order", o);
    const u32 last = m_.keys[object.firstKey + object.numKeys - 1].frame;
    if (last >= m_.symbols[s].numFrames)
        return SFPFileFail(name_, "symbol %u: object %u keyed at frame %u of %u", s, o, last,
                           m_.symbols[s].numFrames);
    return true;
}

bool Checker::Nested(u32 s, u32 o, s64 symbol, u32* count) {
    if (symbol <= s64(s))
        return SFPFileFail(name_, "symbol %u: object %u nests symbol %lld, not one after it", s, o,
                           static_cast<long long>(symbol));
    *count += instances_[size_t(symbol)];
    return true;
}

bool Checker::Object(u32 s, u32 o, u32* count) {
    const s_sfp_object& object = m_.objects[o];
    const size_t sizes[SFP_KIND_COUNT] = {1, m_.images.size(), m_.texts.size(), m_.buttons.size(),
                                          m_.symbols.size()};
    if (object.ref >= sizes[object.kind])
        return SFPFileFail(name_, "object %u: reference %u outside its table", o, object.ref);
    *count = 1;
    if (object.kind == SFP_KIND_INSTANCE)
        return Nested(s, o, object.ref, count);
    if (object.kind == SFP_KIND_BUTTON)
        for (s32 look : m_.buttons[object.ref].look)
            if (look != -1 && !Nested(s, o, look, count))
                return false;
    return true;
}

bool Checker::Symbol(u32 s) {
    const s_sfp_symbol& symbol = m_.symbols[s];
    if (const char* fault = labels_.Take(symbol.firstLabel, symbol.numLabels))
        return SFPFileFail(name_, "symbol %u: labels %s", s, fault);
    if (const char* fault = objects_.Take(symbol.firstObject, symbol.numObjects))
        return SFPFileFail(name_, "symbol %u: objects %s", s, fault);
    for (u32 l = symbol.firstLabel; l < symbol.firstLabel + symbol.numLabels; ++l)
        if (m_.labels[l].frame >= symbol.numFrames)
            return SFPFileFail(name_, "symbol %u: label %u at frame %u of %u", s, l, m_.labels[l].frame,
                               symbol.numFrames);
    u32 total = 0;
    for (u32 o = symbol.firstObject; o < symbol.firstObject + symbol.numObjects; ++o) {
        u32 count = 0;
        if (!Keys(s, o) || !Object(s, o, &count))
            return false;
        total = std::min(total + count, kOverLimit);
    }
    instances_[s] = total;
    return true;
}

bool Checker::Run(u32* numInstances) {
    if (!Indices())
        return false;
    for (size_t s = m_.symbols.size(); s-- > 0;)
        if (!Symbol(u32(s)))
            return false;
    if (instances_[0] > SFP_MAX_INSTANCES)
        return SFPFileFail(name_, "more than %u instances", SFP_MAX_INSTANCES);
    *numInstances = instances_[0];
    return true;
}

}  // namespace

bool SFPFileCheck(s_sfp_movie* movie, const char* name) {
    return Checker(*movie, name).Run(&movie->numInstances);
}
