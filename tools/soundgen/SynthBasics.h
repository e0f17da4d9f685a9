// What every synthesised sound shares: the fixed-seed noise, the sample count of
// a length and the conversion to 16-bit samples.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "console/types.h"
#include "tools/soundgen/Synth.h"

namespace soundgen {

constexpr double kPi = 3.14159265358979323846;

// A small fixed-seed generator: the same noise on every machine.
class Noise {
public:
    explicit Noise(u32 seed) : m_state(seed) {}
    // Uniform in [-1, 1).
    double Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 23) - 1.0;
    }
    // Uniform in [0, 1).
    double Unit() { return (Next() + 1.0) / 2.0; }

private:
    u32 m_state;
};

inline u32 Samples(double seconds) {
    return u32(seconds * kSoundRate);
}

inline std::vector<s16> ToSamples(const std::vector<double>& signal) {
    std::vector<s16> samples(signal.size());
    std::transform(signal.begin(), signal.end(), samples.begin(), [](double value) {
        return s16(std::clamp(std::lround(value * 32767.0), -32768L, 32767L));
    });
    return samples;
}

}  // namespace soundgen
