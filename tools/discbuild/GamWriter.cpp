#include "tools/discbuild/GamWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "tools/discbuild/ChunkOut.h"
#include "tools/discbuild/OctreeWriter.h"

namespace discbuild {

namespace {

// Header fields.
constexpr u32 kOctTreeAt = 16, kNumInstanceAt = 20, kInstanceListAt = 24;
constexpr u32 kNumPlaceHolderAt = 28, kNumPathsAt = 36, kNumAreasAt = 44, kNumGridsAt = 52, kNumGraphsAt = 60;

class GamOut {
public:
    std::vector<u8> Write(const GamLevel& level);

private:
    void Vector(const GamVector& v) { out_.Floats(v.data(), 3), out_.Word(0); }
    void FixedName(const std::string& name) {
        if (name.size() > kGamFixedNameSize)
            throw std::invalid_argument("GAM: name longer than 16 characters: " + name);
        out_.Text(name, kGamFixedNameSize);
    }
    // A word patched with the string's offset once the strings are written.
    void StringRef(const std::string& text) {
        strings_.push_back({out_.Size(), text});
        out_.Word(0);
    }
    // Counts and list offsets of the header.
    void List(u32 countAt, u32 count) { out_.Patch(countAt, count), out_.Patch(countAt + 4, out_.Size()); }

    void Instances(const std::vector<GamInstance>& instances);
    void Placeholders(const std::vector<GamPlaceholder>& placeholders);
    void Paths(const std::vector<GamPath>& paths);
    void Areas(const std::vector<GamArea>& areas);
    void Grids(const std::vector<GamGrid>& grids);
    void Graphs(const std::vector<GamGraph>& graphs);
    void Strings();

    ChunkOut out_{kGamHeaderSize};
    std::vector<std::pair<u32, std::string>> strings_;
};

std::vector<u8> GamOut::Write(const GamLevel& level) {
    for (u32 axis = 0; axis < 3; ++axis)
        out_.Patch(4 * axis, std::bit_cast<u32>(level.pos[axis]));
    Instances(level.instances);
    Placeholders(level.placeholders);
    Paths(level.paths);
    Areas(level.areas);
    Grids(level.grids);
    Graphs(level.graphs);
    Strings();

    std::vector<u8> bytes = out_.Take();
    const std::vector<GamInstance>& instances = level.instances;
    OctreeNode root;
    if (!instances.empty()) {
        // Around the instances' spheres: their box's centre, out to the farthest rim.
        for (u32 axis = 0; axis < 3; ++axis) {
            const auto [lo, hi] = std::minmax_element(
                instances.begin(), instances.end(),
                [axis](const GamInstance& a, const GamInstance& b) { return a.pos[axis] < b.pos[axis]; });
            root.center[axis] = 0.5f * (lo->pos[axis] + hi->pos[axis]);
        }
        for (u32 i = 0; i < instances.size(); ++i) {
            const GamInstance& instance = instances[i];
            OctreeNode leaf;
            leaf.center = instance.pos;
            leaf.radius = instance.radius;
            leaf.items = {u16(i)};
            const f32 dx = instance.pos[0] - root.center[0], dy = instance.pos[1] - root.center[1],
                      dz = instance.pos[2] - root.center[2];
            root.radius = std::max(root.radius, std::sqrt(dx * dx + dy * dy + dz * dz) + instance.radius);
            root.children.push_back(std::move(leaf));
        }
    }
    // Appending moves the bytes: the offset is stored once they are in place.
    const u32 octTree = OctreeAppend(bytes, instances.empty() ? nullptr : &root);
    StoreBE32(&bytes[kOctTreeAt], octTree);
    bytes.resize((bytes.size() + 3) & ~std::size_t(3));
    return bytes;
}

void GamOut::Instances(const std::vector<GamInstance>& instances) {
    if (instances.size() > 0xFFFF)
        throw std::invalid_argument("GAM: more than 65535 instances");
    const u32 count = u32(instances.size());
    out_.Patch(kNumInstanceAt, count);
    out_.Patch(kInstanceListAt, out_.Size());
    const u32 first = out_.Size() + 4 * count;
    for (u32 i = 0; i < count; ++i)
        out_.Word(first + i * kGamInstanceSize);
    for (const GamInstance& instance : instances) {
        Vector(instance.pos);
        out_.Floats(instance.quat.data(), 4);
        out_.Word(instance.type);
        StringRef(instance.name);
        out_.Float(instance.radius);
        out_.Word(instance.groupId);
        out_.Word(instance.flags);
        out_.Word(0), out_.Word(0), out_.Word(0);  // the handler's record, reserved
    }
}

void GamOut::Placeholders(const std::vector<GamPlaceholder>& placeholders) {
    const u32 count = u32(placeholders.size());
    List(kNumPlaceHolderAt, count);
    const u32 first = out_.Size() + 4 * count;
    for (u32 i = 0; i < count; ++i)
        out_.Word(first + i * kGamPlaceholderSize);
    for (const GamPlaceholder& placeholder : placeholders) {
        StringRef(placeholder.name);
        out_.Word(0), out_.Word(0), out_.Word(0);
        Vector(placeholder.pos);
        out_.Floats(placeholder.quat.data(), 4);
        out_.Float(placeholder.radius);
        out_.Word(placeholder.type);
        out_.Word(placeholder.index);
        out_.Word(placeholder.flags);
    }
}

void GamOut::Paths(const std::vector<GamPath>& paths) {
    List(kNumPathsAt, u32(paths.size()));
    const u32 records = out_.Size();
    for (const GamPath& path : paths) {
        FixedName(path.name);
        out_.Word(path.flags);
        out_.Word(u32(path.points.size()));
        out_.Float(path.min);
        out_.Float(path.max);
        out_.Float(path.springFactor);
        out_.Word(0), out_.Word(0);  // points and their data, patched below
    }
    for (u32 i = 0; i < paths.size(); ++i) {
        const u32 at = records + i * kGamPathSize;
        out_.Patch(at + 36, out_.Size());
        for (const GamPathPoint& point : paths[i].points) {
            Vector(point.pos);
            Vector(point.dir);
            out_.Float(point.length);
            out_.Word(0), out_.Word(0), out_.Word(0);
        }
        out_.Patch(at + 40, out_.Size());
        for (const GamPathPoint& point : paths[i].points)
            for (u32 value : point.values)
                out_.Word(value);
    }
}

void GamOut::Areas(const std::vector<GamArea>& areas) {
    List(kNumAreasAt, u32(areas.size()));
    for (const GamArea& area : areas) {
        FixedName(area.name);
        Vector(area.center);
        out_.Float(area.radius);
        out_.Word(area.flags);
        out_.Word(0), out_.Word(0);
    }
}

void GamOut::Grids(const std::vector<GamGrid>& grids) {
    List(kNumGridsAt, u32(grids.size()));
    const u32 records = out_.Size();
    for (const GamGrid& grid : grids) {
        if (grid.connections.size() > 0xFF)
            throw std::invalid_argument("GAM: more than 255 connections of grid " + grid.name);
        FixedName(grid.name);
        Vector(grid.corner);
        out_.Float(grid.stepSizeX);
        out_.Float(grid.stepSizeZ);
        out_.Word(0);  // cells, patched below
        out_.Half(grid.sizeX);
        out_.Half(grid.sizeZ);
        out_.Byte(u8(grid.connections.size()));
        out_.Byte(0), out_.Byte(0), out_.Byte(0);
        out_.Word(0);  // connections, patched below
        out_.Word(grid.flags);
        out_.Word(0);
    }
    for (u32 i = 0; i < grids.size(); ++i) {
        const u32 at = records + i * kGamGridSize;
        out_.Patch(at + 40, out_.Size());
        out_.Bytes(grids[i].cells);
        out_.Align(4);
        out_.Patch(at + 52, out_.Size());
        for (const GamGridConnection& connection : grids[i].connections)
            out_.Word(connection.cell), out_.Word(connection.targetGrid), out_.Word(connection.targetCell);
    }
}

void GamOut::Graphs(const std::vector<GamGraph>& graphs) {
    List(kNumGraphsAt, u32(graphs.size()));
    const u32 records = out_.Size();
    for (const GamGraph& graph : graphs) {
        FixedName(graph.name);
        out_.Word(u32(graph.nodes.size()));
        out_.Word(0);  // nodes, patched below
    }
    for (u32 i = 0; i < graphs.size(); ++i) {
        const std::vector<GamGraphNode>& nodes = graphs[i].nodes;
        out_.Patch(records + i * kGamGraphSize + 20, out_.Size());
        const u32 nodeRecords = out_.Size();
        for (const GamGraphNode& node : nodes) {
            FixedName(node.dataName);
            out_.Word(0);  // the placeholder: bound at load
            out_.Word(u32(node.edges.size()));
            out_.Word(0);  // edges, patched below
        }
        for (u32 n = 0; n < nodes.size(); ++n) {
            out_.Patch(nodeRecords + n * kGamGraphNodeSize + 24, out_.Size());
            for (u32 target : nodes[n].edges)
                out_.Word(target);
        }
    }
}

void GamOut::Strings() {
    for (const auto& [at, text] : strings_) {
        out_.Patch(at, out_.Size());
        out_.Text(text, u32(text.size()) + 1);
    }
    out_.Align(4);
}

}  // namespace

std::vector<u8> GamPayload(const GamLevel& level) {
    return GamOut().Write(level);
}

}  // namespace discbuild
