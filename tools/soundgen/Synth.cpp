#include "tools/soundgen/Synth.h"

#include <algorithm>
#include <cmath>

#include "tools/soundgen/SynthBasics.h"

namespace soundgen {
namespace {

// A decaying partial: amplitude, frequency, decay time constant, added from `start`.
void AddPartial(std::vector<double>* out, u32 start, double amplitude, double hz, double tau) {
    for (u32 i = start; i < out->size(); ++i) {
        const double t = double(i - start) / kSoundRate;
        (*out)[i] += amplitude * std::exp(-t / tau) * std::sin(2.0 * kPi * hz * t);
    }
}

// A plucked note: a few harmonics with faster decay higher up.
void AddPluck(std::vector<double>* out, u32 start, u32 length, double hz, double amplitude) {
    const u32 end = std::min<u32>(u32(out->size()), start + length);
    for (u32 i = start; i < end; ++i) {
        const double t = double(i - start) / kSoundRate;
        const double fade = std::min(1.0, double(end - i) / 256.0);  // no click at the cut
        double v = 0.0;
        for (int h = 1; h <= 4; ++h)
            v += std::sin(2.0 * kPi * hz * h * t) * std::exp(-t * (3.0 + 2.5 * h)) / h;
        (*out)[i] += amplitude * fade * v;
    }
}

double NoteHz(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

}  // namespace

std::vector<s16> SynthBallRoll() {
    const u32 n = Samples(2.0);
    std::vector<double> out(n);
    Noise noise(0x0BA11u);
    double low = 0.0, lower = 0.0;
    for (u32 i = 0; i < n; ++i) {
        const double t = double(i) / kSoundRate;
        const double rumble = 0.75 + 0.25 * std::sin(2.0 * kPi * 4.0 * t);  // 8 cycles in 2 s: loops
        out[i] = 2.5 * rumble * LowPass(&lower, LowPass(&low, noise.Next(), 180.0), 120.0);
    }
    // Cross-fade the last 50 ms into the first so the loop has no seam.
    const u32 fade = Samples(0.05);
    for (u32 i = 0; i < fade; ++i) {
        const double w = double(i) / fade;
        out[i] = out[i] * w + out[n - fade + i] * (1.0 - w);
    }
    out.resize(n - fade);
    return ToSamples(out);
}

std::vector<s16> SynthGutter() {
    std::vector<double> out(Samples(1.0));
    Noise noise(0x6077u);
    AddPartial(&out, 0, 0.6, 90.0, 0.12);
    AddPartial(&out, 0, 0.3, 160.0, 0.08);
    double low = 0.0;
    for (u32 i = 0; i < out.size(); ++i) {
        const double t = double(i) / kSoundRate;
        out[i] += 1.5 * std::exp(-t * 2.5) * LowPass(&low, noise.Next(), 150.0);
    }
    return ToSamples(out);
}

std::vector<s16> SynthClick() {
    std::vector<double> out(Samples(0.06));
    AddPartial(&out, 0, 0.5, 1760.0, 0.012);
    AddPartial(&out, 0, 0.25, 3520.0, 0.006);
    return ToSamples(out);
}

std::vector<s16> SynthMenuTick() {
    std::vector<double> out(Samples(0.04));
    AddPartial(&out, 0, 0.35, 2637.0, 0.006);
    return ToSamples(out);
}

std::vector<s16> SynthMenuChoose() {
    std::vector<double> out(Samples(0.25));
    AddPartial(&out, 0, 0.4, 1047.0, 0.05);
    AddPartial(&out, Samples(0.07), 0.4, 1568.0, 0.07);
    return ToSamples(out);
}

std::vector<s16> SynthPinsetter() {
    std::vector<double> out(Samples(1.6));
    Noise noise(0x5E77u);
    double low = 0.0;
    for (u32 i = 0; i < out.size(); ++i) {
        const double t = double(i) / kSoundRate;
        const double envelope = std::min(1.0, t * 8.0) * std::min(1.0, (1.6 - t) * 6.0);
        const double hum = 0.25 * std::sin(2.0 * kPi * 55.0 * t) + 0.12 * std::sin(2.0 * kPi * 110.0 * t);
        out[i] = envelope * (hum + 0.5 * LowPass(&low, noise.Next(), 400.0));
    }
    // The deck's clunks as it comes down and goes back up.
    for (double at : {0.15, 0.7, 1.3}) {
        AddPartial(&out, Samples(at), 0.35, 140.0, 0.05);
        AddPartial(&out, Samples(at), 0.15, 430.0, 0.02);
    }
    return ToSamples(out);
}

std::vector<s16> SynthSweep() {
    std::vector<double> out(Samples(0.9));
    Noise noise(0x5EEBu);
    double low = 0.0, lower = 0.0;
    for (u32 i = 0; i < out.size(); ++i) {
        const double t = double(i) / kSoundRate;
        const double swell = std::sin(kPi * t / 0.9);
        const double band = LowPass(&low, noise.Next(), 900.0) - LowPass(&lower, noise.Next(), 150.0);
        out[i] = 1.2 * swell * swell * band;
    }
    AddPartial(&out, Samples(0.75), 0.3, 120.0, 0.06);  // the bar stops
    return ToSamples(out);
}

std::vector<s16> SynthStrikeCheer() {
    std::vector<double> out(Samples(2.5));
    Noise noise(0xC4EEu);
    // Voices: noise through a few moving resonances, swelling and fading.
    double states[3] = {};
    const double formants[3] = {500.0, 900.0, 1500.0};
    for (u32 i = 0; i < out.size(); ++i) {
        const double t = double(i) / kSoundRate;
        const double envelope = std::min(1.0, t * 4.0) * std::exp(-std::max(0.0, t - 0.8) * 1.8);
        double v = 0.0;
        for (int f = 0; f < 3; ++f)
            v += LowPass(&states[f], noise.Next(),
                         formants[f] * (1.0 + 0.1 * std::sin(2.0 * kPi * (3 + f) * t)));
        out[i] = 1.6 * envelope * v;
    }
    // Hand claps scattered through it.
    for (int clap = 0; clap < 24; ++clap) {
        const u32 at = Samples(0.2 + 1.8 * (noise.Next() + 1.0) / 2.0);
        for (u32 k = 0; k < Samples(0.012) && at + k < out.size(); ++k)
            out[at + k] += 0.25 * noise.Next() * (1.0 - k / double(Samples(0.012)));
    }
    return ToSamples(out);
}

StereoPcm SynthMenuMusic() {
    // Eight bars of four beats at 120 beats a minute: sixteen seconds, the four
    // chords twice, the melody an octave higher the second time.
    const u32 beat = Samples(0.5);
    const u32 n = beat * 32;
    std::vector<double> left(n), right(n);
    // Chords as semitones from A4: C, A minor, F, G.
    const int roots[4] = {-9, -12, -16, -14};
    const int thirds[4] = {4, 3, 4, 4};
    const int melody[16] = {3, 7, 10, 7, 0, 3, 7, 3, -4, 0, 3, 8, -2, 2, 5, 10};
    for (u32 bar = 0; bar < 8; ++bar) {
        const int root = roots[bar % 4];
        for (u32 b = 0; b < 4; ++b) {
            const u32 at = (bar * 4 + b) * beat;
            AddPluck(&left, at, beat, NoteHz(root - 12), 0.30);  // bass, left
            AddPluck(&right, at, beat, NoteHz(root - 12), 0.18);
            const int chord[3] = {root, root + thirds[bar % 4], root + 7};
            AddPluck(&right, at + beat / 2, beat / 2, NoteHz(chord[b % 3]), 0.14);  // off-beat, right
            AddPluck(&left, at + beat / 2, beat / 2, NoteHz(chord[b % 3]), 0.06);
            const double hz = NoteHz(melody[(bar % 4) * 4 + b] + (bar < 4 ? 0 : 12));
            AddPluck(&left, at, beat, hz, bar < 4 ? 0.16 : 0.10);  // melody, centre
            AddPluck(&right, at, beat, hz, bar < 4 ? 0.16 : 0.10);
        }
    }
    return {ToSamples(left), ToSamples(right)};
}

}  // namespace soundgen
