// The front end's interface sounds and the logo movies' sounds: soft notes of one
// family, clean sine partials with rounded ends, so that none of them clicks.
#include <tuple>
#include <utility>

#include "tools/soundgen/Synth.h"
#include "tools/soundgen/SynthBasics.h"

namespace soundgen {
namespace {

constexpr double kC4 = 261.63, kG4 = 392.00, kC5 = 523.25, kE5 = 659.26, kG5 = 783.99;
constexpr double kB5 = 987.77, kC6 = 1046.50, kE6 = 1318.51, kG6 = 1567.98;

// A breath of low-passed noise under a glide, swelling and fading with sin^2.
void AddBreath(std::vector<double>* out, double from, double seconds, double amplitude, double cutoffHz,
               u32 seed) {
    Noise noise(seed);
    double low = 0.0, lower = 0.0;
    for (u32 i = Samples(from), n = Samples(seconds), k = 0; k < n && i < out->size(); ++i, ++k) {
        const double swell = std::sin(kPi * k / n);
        const double band =
            LowPass(&low, noise.Next(), cutoffHz) - LowPass(&lower, noise.Next(), cutoffHz / 4);
        (*out)[i] += amplitude * swell * swell * band;
    }
}

}  // namespace

std::vector<s16> SynthScreenOpen() {
    std::vector<double> out(Samples(0.2));
    AddNote(&out, {.seconds = 0.2, .hz = kE5, .glideToHz = kB5, .attack = 0.03, .decay = 0.09});
    AddBreath(&out, 0.0, 0.16, 0.4, 1800.0, 0x0BE7u);
    return ToSamplesAtPeak(out, -10.0);
}

std::vector<s16> SynthAccept() {
    std::vector<double> out(Samples(0.21));
    AddNote(&out, {.seconds = 0.11, .hz = kC6, .decay = 0.05});
    AddNote(&out, {.at = 0.06, .seconds = 0.15, .hz = kG6, .decay = 0.06});
    return ToSamplesAtPeak(out, -8.0);
}

std::vector<s16> SynthCursorMove() {
    std::vector<double> out(Samples(0.045));
    AddNote(&out, {.seconds = 0.045, .hz = kE6, .attack = 0.0015, .decay = 0.012});
    return ToSamplesAtPeak(out, -12.0);
}

std::vector<s16> SynthScreenClose() {
    std::vector<double> out(Samples(0.18));
    AddNote(&out, {.seconds = 0.18, .hz = kB5, .glideToHz = kE5, .attack = 0.01, .decay = 0.07});
    AddBreath(&out, 0.0, 0.14, 0.35, 1500.0, 0xC105u);
    return ToSamplesAtPeak(out, -11.0);
}

std::vector<s16> SynthRefused() {
    // Two low, muted notes a minor third apart, falling: "not that".
    std::vector<double> out(Samples(0.22));
    const std::vector<double> muted = {1.0, 0.15, 0.25};
    AddNote(&out, {.seconds = 0.1, .hz = kG4, .decay = 0.05, .partials = muted});
    AddNote(&out, {.at = 0.1, .seconds = 0.12, .hz = kE5 / 2, .decay = 0.05, .partials = muted});
    return ToSamplesAtPeak(out, -9.0);
}

std::vector<s16> SynthKudosCheer() {
    // A major arpeggio ringing into a held chord.
    std::vector<double> out(Samples(0.9));
    const std::vector<double> brass = {1.0, 0.5, 0.3, 0.15};
    for (const auto& [hz, at] : {std::pair{kC5, 0.0}, {kE5, 0.09}, {kG5, 0.18}, {kC6, 0.27}})
        AddNote(&out,
                {.at = at, .seconds = 0.9 - at, .hz = hz, .attack = 0.01, .decay = 0.35, .partials = brass});
    return ToSamplesAtPeak(out, -8.0);
}

std::vector<s16> SynthKudosPins() {
    std::vector<double> out(Samples(0.45));
    AddNote(&out, {.seconds = 0.25, .hz = kG5, .decay = 0.1});
    AddNote(&out, {.at = 0.12, .seconds = 0.33, .hz = kE6, .decay = 0.16});
    return ToSamplesAtPeak(out, -9.0);
}

std::vector<s16> SynthKudosGutter() {
    // A muted note sliding down a fifth.
    std::vector<double> out(Samples(0.6));
    AddNote(&out, {.seconds = 0.6,
                   .hz = kG4,
                   .glideToHz = kC4,
                   .attack = 0.03,
                   .decay = 0.25,
                   .partials = {1.0, 0.2, 0.3}});
    return ToSamplesAtPeak(out, -10.0);
}

std::vector<s16> SynthStudioChime(double seconds) {
    // A rising breath as the letters form, then a bell of two notes as they settle.
    std::vector<double> out(Samples(seconds));
    AddBreath(&out, 0.3, 1.1, 0.5, 1800.0, 0x7055u);
    const std::vector<double> bell = {1.0, 0.35, 0.12}, ratios = {1.0, 2.76, 5.4};
    AddNote(&out, {.at = 1.2,
                   .seconds = seconds - 1.2,
                   .hz = kG5,
                   .attack = 0.006,
                   .decay = 0.5,
                   .partials = bell,
                   .ratios = ratios});
    AddNote(&out, {.at = 1.25,
                   .seconds = seconds - 1.25,
                   .hz = kC6,
                   .amplitude = 0.7,
                   .attack = 0.006,
                   .decay = 0.6,
                   .partials = bell,
                   .ratios = ratios});
    return ToSamplesAtPeak(out, -12.0);
}

std::vector<s16> SynthEngineChime(double seconds) {
    // A whoosh as the orb swells, then a warm chord under it.
    std::vector<double> out(Samples(seconds));
    AddBreath(&out, 0.05, 0.9, 0.7, 1200.0, 0x0AB5u);
    for (const auto& [hz, at, amplitude] :
         {std::tuple{kC4, 0.75, 0.8}, {kG4, 0.8, 0.55}, {kC5, 0.85, 0.45}, {kE5, 0.9, 0.3}})
        AddNote(&out, {.at = at,
                       .seconds = seconds - at,
                       .hz = hz,
                       .amplitude = amplitude,
                       .attack = 0.05,
                       .decay = 0.7,
                       .partials = {1.0, 0.3, 0.08}});
    return ToSamplesAtPeak(out, -12.0);
}

}  // namespace soundgen
