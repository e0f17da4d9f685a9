#include "tools/modelgen/Strips.h"

#include <array>
#include <map>

namespace modelgen {

namespace {

u32 EdgeKey(u16 from, u16 to) {
    return (u32(from) << 16) | to;
}

class Stripper {
public:
    explicit Stripper(std::span<const u16> triangles)
        : triangles_(triangles), taken_(triangles.size() / 3, 0), walk_(taken_.size(), 0) {
        for (u32 t = 0; t < taken_.size(); ++t)
            for (u32 e = 0; e < 3; ++e)
                byEdge_[EdgeKey(Corner(t, e), Corner(t, e + 1))].push_back(t);
    }

    Strips Run() {
        Strips strips;
        for (u32 t = 0; t < taken_.size(); ++t) {
            if (taken_[t])
                continue;
            std::vector<u32> best;
            std::vector<u16> bestIndices;
            for (u32 rotation = 0; rotation < 3; ++rotation) {
                std::vector<u16> indices;
                const std::vector<u32> strip = Walk(t, rotation, &indices);
                if (strip.size() > best.size()) {
                    best = strip;
                    bestIndices = std::move(indices);
                }
            }
            for (u32 taken : best)
                taken_[taken] = 1;
            strips.runs.push_back({u32(strips.indices.size()), u32(best.size())});
            strips.indices.insert(strips.indices.end(), bestIndices.begin(), bestIndices.end());
        }
        return strips;
    }

private:
    u16 Corner(u32 triangle, u32 corner) const { return triangles_[triangle * 3 + corner % 3]; }

    // The strip that starts with `first` turned by `rotation`; its triangles.
    std::vector<u32> Walk(u32 first, u32 rotation, std::vector<u16>* indices) {
        ++stamp_;
        std::vector<u32> strip{first};
        walk_[first] = stamp_;
        *indices = {Corner(first, rotation), Corner(first, rotation + 1), Corner(first, rotation + 2)};
        for (;;) {
            const u16 p = (*indices)[indices->size() - 2], q = indices->back();
            // The next triangle runs p -> q at an even place in the strip, q -> p at an odd one.
            const bool even = strip.size() % 2 == 0;
            const auto found = byEdge_.find(even ? EdgeKey(p, q) : EdgeKey(q, p));
            if (found == byEdge_.end())
                return strip;
            u32 next = u32(taken_.size());
            for (u32 candidate : found->second) {
                if (!taken_[candidate] && walk_[candidate] != stamp_) {
                    next = candidate;
                    break;
                }
            }
            if (next == taken_.size())
                return strip;
            const u16 from = even ? p : q, to = even ? q : p;
            u32 e = 0;
            while (Corner(next, e) != from || Corner(next, e + 1) != to)
                ++e;
            indices->push_back(Corner(next, e + 2));
            strip.push_back(next);
            walk_[next] = stamp_;
        }
    }

    std::span<const u16> triangles_;
    std::vector<u8> taken_;
    std::vector<u32> walk_;  // the stamp of the last walk that used the triangle
    u32 stamp_ = 0;
    std::map<u32, std::vector<u32>> byEdge_;
};

}  // namespace

Strips Stripify(std::span<const u16> triangles) {
    return Stripper(triangles).Run();
}

}  // namespace modelgen
