// Copies of a good chunk as a damaged disc or a hostile file gives them, for the
// loaders' never-crash-never-leak tests.
#pragma once

#include <random>
#include <vector>

#include "console/types.h"

// The chunk cut short at lengths from, from + step, ... below its own.
inline std::vector<std::vector<u8>> Truncations(const std::vector<u8>& good, u32 step = 1, u32 from = 0) {
    std::vector<std::vector<u8>> chunks;
    for (u32 size = from; size < good.size(); size += step)
        chunks.emplace_back(good.begin(), good.begin() + size);
    return chunks;
}

// `count` copies, each with one to four bits flipped at places drawn from `seed`.
inline std::vector<std::vector<u8>> Mutations(const std::vector<u8>& good, u32 count, u32 seed) {
    std::mt19937 random(seed);
    std::vector<std::vector<u8>> chunks;
    for (u32 i = 0; i < count; ++i) {
        std::vector<u8> chunk = good;
        for (u32 flips = 1 + random() % 4; flips > 0; --flips)
            chunk[random() % chunk.size()] ^= u8(1u << (random() % 8));
        chunks.push_back(std::move(chunk));
    }
    return chunks;
}
