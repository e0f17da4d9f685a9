// The payload of a "GAM" chunk: a level's game data (placed instances with an
// octree over them, placeholders, paths, areas, grids and graphs), written
// big-endian with every offset counted from the payload's start.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 kGamHeaderSize = 80;
constexpr u32 kGamInstanceSize = 64;
constexpr u32 kGamPlaceholderSize = 64;
constexpr u32 kGamPathSize = 44;
constexpr u32 kGamPathPointSize = 48;
constexpr u32 kGamPathPointDataSize = 16;
constexpr u32 kGamAreaSize = 48;
constexpr u32 kGamGridSize = 64;
constexpr u32 kGamGridConnectionSize = 12;
constexpr u32 kGamGraphSize = 24;
constexpr u32 kGamGraphNodeSize = 28;
constexpr u32 kGamFixedNameSize = 16;  // names of paths, areas, grids, graphs and nodes' data names

using GamVector = std::array<f32, 3>;
using GamQuat = std::array<f32, 4>;  // x, y, z, w

struct GamInstance {
    GamVector pos{};
    GamQuat quat{0, 0, 0, 1};
    u32 type = 0;
    std::string name;
    f32 radius = 1;
    u32 groupId = 0;
    u32 flags = 0;  // the instance's system flags
};

struct GamPlaceholder {
    std::string name;
    GamVector pos{};
    GamQuat quat{0, 0, 0, 1};
    f32 radius = 0;
    u32 type = 0;
    u32 index = 0;
    u32 flags = 0;
};

struct GamPathPoint {
    GamVector pos{};
    GamVector dir{};
    f32 length = 0;
    std::array<u32, 4> values{};
};

struct GamPath {
    std::string name;
    u32 flags = 0;
    f32 min = 0, max = 0, springFactor = 0;
    std::vector<GamPathPoint> points;
};

struct GamArea {
    std::string name;
    GamVector center{};
    f32 radius = 0;
    u32 flags = 0;
};

struct GamGridConnection {
    u32 cell = 0, targetGrid = 0, targetCell = 0;
};

struct GamGrid {
    std::string name;
    GamVector corner{};
    f32 stepSizeX = 1, stepSizeZ = 1;
    u16 sizeX = 0, sizeZ = 0;
    std::vector<u8> cells;  // sizeX x sizeZ bytes, written as given
    std::vector<GamGridConnection> connections;
    u32 flags = 0;
};

struct GamGraphNode {
    std::string dataName;    // the placeholder it stands for
    std::vector<u32> edges;  // target node indices, written as given
};

struct GamGraph {
    std::string name;
    std::vector<GamGraphNode> nodes;
};

struct GamLevel {
    GamVector pos{};
    std::vector<GamInstance> instances;
    std::vector<GamPlaceholder> placeholders;
    std::vector<GamPath> paths;
    std::vector<GamArea> areas;
    std::vector<GamGrid> grids;
    std::vector<GamGraph> graphs;
};

// The header, the instance table and instances, the placeholder table and
// placeholders, then the paths, areas, grids and graphs with their lists, the
// strings, and last the octree over the instances: a root around one leaf per
// instance (its position and radius), an empty map without instances. Fixed names longer than 16 characters,
// more than 255 connections of a grid or 65535 instances throw std::invalid_argument.
std::vector<u8> GamPayload(const GamLevel& level);

}  // namespace discbuild
