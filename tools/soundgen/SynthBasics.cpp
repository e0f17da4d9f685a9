#include "tools/soundgen/SynthBasics.h"

namespace soundgen {

double LowPass(double* state, double input, double cutoffHz) {
    const double a = 1.0 - std::exp(-2.0 * kPi * cutoffHz / kSoundRate);
    *state += a * (input - *state);
    return *state;
}

void AddNote(std::vector<double>* out, const Note& note) {
    const u32 start = Samples(note.at);
    const u32 end = std::min<u32>(u32(out->size()), start + Samples(note.seconds));
    const double release = std::min(0.012, note.seconds / 4);  // the rounded end
    const double glide = note.glideToHz > 0.0 ? note.glideToHz - note.hz : 0.0;
    double phase = 0.0;  // of the fundamental, in cycles
    for (u32 i = start; i < end; ++i) {
        const double t = double(i - start) / kSoundRate;
        const double left = double(end - i) / kSoundRate;
        const double rise = std::sin(kPi / 2 * std::min(1.0, t / note.attack));
        const double fall = std::sin(kPi / 2 * std::min(1.0, left / release));
        double v = 0.0;
        for (size_t p = 0; p < note.partials.size(); ++p) {
            const double ratio = note.ratios.empty() ? double(p + 1) : note.ratios[p];
            v += note.partials[p] * std::sin(2.0 * kPi * phase * ratio);
        }
        (*out)[i] += note.amplitude * rise * rise * fall * fall * std::exp(-t / note.decay) * v;
        phase += (note.hz + glide * t / note.seconds) / kSoundRate;
    }
}

std::vector<s16> ToSamplesAtPeak(std::vector<double> signal, double dbfs) {
    double peak = 0.0;
    for (double v : signal)
        peak = std::max(peak, std::abs(v));
    const double gain = peak > 0.0 ? std::pow(10.0, dbfs / 20.0) / peak : 0.0;
    for (double& v : signal)
        v *= gain;
    return ToSamples(signal);
}

}  // namespace soundgen
