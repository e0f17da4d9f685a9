// What every synthesised sound shares: the fixed-seed noise, the sample count of
// a length, filters and notes, and the conversion to 16-bit samples.
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

// One-pole low-pass filter step.
double LowPass(double* state, double input, double cutoffHz);

// A soft note of the interface sounds and the idents: a rounded attack, an
// exponential decay and a rounded end at zero, its pitch gliding from `hz` to
// `glideToHz` when that is given; `partials` are the amplitudes of the harmonics
// from the fundamental up, or with `ratios` of the frequencies a bell's
// inharmonic partials.
struct Note {
    double at = 0.0;  // seconds
    double seconds = 0.1;
    double hz = 440.0;
    double glideToHz = 0.0;  // 0: no glide
    double amplitude = 1.0;
    double attack = 0.004;  // seconds to full level
    double decay = 0.05;    // time constant, seconds
    std::vector<double> partials = {1.0, 0.2};
    std::vector<double> ratios = {};  // empty: 1, 2, 3, ...
};
void AddNote(std::vector<double>* out, const Note& note);

// The signal scaled so that its loudest sample is at `dbfs` (negative) decibels of
// full scale.
std::vector<s16> ToSamplesAtPeak(std::vector<double> signal, double dbfs);

}  // namespace soundgen
