#include "tools/sfpcompile/SfpOrder.h"

#include <algorithm>
#include <set>

namespace sfpc {

namespace {

// The symbols each symbol's objects hold: instances and button looks.
std::vector<std::set<size_t>> Holds(const MovieSource& movie, const std::map<std::string, size_t>& byName) {
    std::vector<std::set<size_t>> holds(movie.symbols.size());
    for (size_t s = 0; s < movie.symbols.size(); ++s) {
        for (const ObjectSource& object : movie.symbols[s].objects) {
            std::vector<std::string> names;
            if (object.kind == SFP_KIND_INSTANCE)
                names.push_back(object.ref);
            if (object.kind == SFP_KIND_BUTTON)
                for (const std::string& look : object.looks)
                    if (!look.empty())
                        names.push_back(look);
            for (const std::string& name : names) {
                const auto found = byName.find(name);
                if (found == byName.end())
                    Fail(object.where, "no symbol named " + name);
                holds[s].insert(found->second);
            }
        }
    }
    return holds;
}

}  // namespace

std::vector<size_t> OrderSymbols(const MovieSource& movie, const std::map<std::string, size_t>& byName) {
    const std::vector<std::set<size_t>> holds = Holds(movie, byName);
    const size_t count = movie.symbols.size();
    // Symbols still waiting for a holder to be placed; the root holds no place in this.
    std::vector<u32> waiting(count, 0);
    for (size_t s = 1; s < count; ++s)
        for (size_t held : holds[s])
            ++waiting[held];
    std::vector<size_t> order = {0};
    std::vector<bool> placed(count, false);
    placed[0] = true;
    // The first ready symbol in source order each time, so the stored order follows the source where it can.
    for (bool progress = true; progress;) {
        progress = false;
        for (size_t s = 1; s < count && !progress; ++s) {
            if (placed[s] || waiting[s] != 0)
                continue;
            placed[s] = true, progress = true;
            order.push_back(s);
            for (size_t held : holds[s])
                --waiting[held];
        }
    }
    if (order.size() == count)
        return order;
    // Every symbol left has a holder left: walking back through holders must come round.
    size_t at = size_t(std::find(placed.begin(), placed.end(), false) - placed.begin());
    std::vector<size_t> path;
    while (std::find(path.begin(), path.end(), at) == path.end()) {
        path.push_back(at);
        for (size_t s = 1; s < count; ++s)
            if (!placed[s] && holds[s].count(at)) {
                at = s;
                break;
            }
    }
    // The walk went from held to holder; say the cycle forwards, from its first symbol in the source.
    path.erase(path.begin(), std::find(path.begin(), path.end(), at));
    std::reverse(path.begin(), path.end());
    std::rotate(path.begin(), std::min_element(path.begin(), path.end()), path.end());
    std::string cycle;
    for (size_t s : path)
        cycle += movie.symbols[s].name + " holds ";
    const SymbolSource& first = movie.symbols[path.front()];
    Fail(first.where, "symbols hold themselves: " + cycle + first.name);
}

}  // namespace sfpc
