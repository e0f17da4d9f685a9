// The pins' crash: the ball's crack on the head pin, wooden knocks of pins
// striking pins and of pins falling to the deck and bouncing, a rattle that dies
// away and a wash of noise, all growing with the number of pins that fall. After
// the seeded noise only additions, multiplications and divisions are used (e^x,
// the sine and the square root by their series and steps, resonances by
// recursion), so every build writes the same samples.
#include <span>
#include <stdexcept>

#include "source/Physics/PhysicsTypes.h"
#include "tools/soundgen/Synth.h"
#include "tools/soundgen/SynthBasics.h"

namespace soundgen {
namespace {

constexpr double kShortest = 0.3;   // seconds, one pin
constexpr double kLongest = 1.5;    // seconds, every pin
constexpr double kQuietest = 0.05;  // root mean square, one pin
constexpr double kLoudest = 0.12;   // root mean square, every pin
constexpr double kKnee = 0.6;       // peaks above this are rounded off below kCeiling
constexpr double kCeiling = 0.97;
constexpr double kFadeOut = 0.02;  // seconds at the end, so the cut does not click

// e^x by its series, halved into range and squared back.
double Exp(double x) {
    int halvings = 0;
    for (; x < -0.5 || x > 0.5; ++halvings)
        x /= 2;
    double term = 1.0, sum = 1.0;
    for (int k = 1; k < 14; ++k) {
        term *= x / k;
        sum += term;
    }
    for (; halvings > 0; --halvings)
        sum *= sum;
    return sum;
}

// The square root by Newton's steps from above.
double Sqrt(double x) {
    double root = x > 1.0 ? x : 1.0;
    for (double next = (root + x / root) / 2; next < root; next = (root + x / root) / 2)
        root = next;
    return root;
}

// cos w and sin w for w in [0, pi], by their series.
void CosSin(double w, double* c, double* s) {
    double term = 1.0;  // w^k / k!
    *c = 1.0;
    *s = 0.0;
    for (int k = 1; k < 24; ++k) {
        term *= w / k;
        *(k % 2 == 1 ? s : c) += (k / 2) % 2 == 0 ? term : -term;
    }
}

// A struck resonance, a * r^n * sin(n w), by the two-pole recursion; it is let
// ring for six time constants.
void AddMode(std::vector<double>* out, u32 start, double amplitude, double hz, double tau) {
    double c = 0.0, s = 0.0;
    CosSin(2.0 * kPi * hz / kSoundRate, &c, &s);
    const double r = Exp(-1.0 / (tau * kSoundRate));
    const double a1 = 2.0 * r * c, a2 = r * r;
    const u32 end = std::min<u32>(u32(out->size()), start + Samples(6.0 * tau));
    double before = 0.0, now = amplitude * r * s;
    for (u32 i = start + 1; i < end; ++i) {
        (*out)[i] += now;
        const double next = a1 * now - a2 * before;
        before = now;
        now = next;
    }
}

// A burst of the noise's steps (brighter than the noise itself), falling away with
// time constant tau.
void AddBurst(std::vector<double>* out, Noise* noise, u32 start, double amplitude, double tau) {
    const double fall = Exp(-1.0 / (tau * kSoundRate));
    const u32 end = std::min<u32>(u32(out->size()), start + Samples(5.0 * tau));
    double previous = 0.0;
    for (u32 i = start; i < end; ++i, amplitude *= fall) {
        const double v = noise->Next();
        (*out)[i] += amplitude * (v - previous) / 2.0;
        previous = v;
    }
}

struct Mode {
    double ratio, amplitude, tau;
};

// A pin rings briefly as a thick bottle of hard maple; the deck's boards under a
// falling pin answer lower and duller.
constexpr Mode kPinModes[] = {{1.0, 1.0, 0.022}, {2.32, 0.7, 0.013}, {3.85, 0.45, 0.008}, {5.61, 0.3, 0.005}};
constexpr Mode kDeckModes[] = {{1.0, 1.0, 0.040}, {2.71, 0.5, 0.018}, {4.93, 0.25, 0.009}};

enum class Knock { Pin, Deck };

// A knock: the contact's click, then the struck body's modes.
void AddKnock(std::vector<double>* out, Noise* noise, double at, double amplitude, Knock kind) {
    const u32 start = Samples(at);
    if (start >= out->size())
        return;
    const bool pin = kind == Knock::Pin;
    const double hz = pin ? 900.0 + 900.0 * noise->Unit() : 200.0 + 200.0 * noise->Unit();
    const double ring = 0.7 + 0.6 * noise->Unit();
    for (const Mode& m : pin ? std::span<const Mode>(kPinModes) : std::span<const Mode>(kDeckModes))
        AddMode(out, start, amplitude * m.amplitude, hz * m.ratio, m.tau * ring);
    AddBurst(out, noise, start, amplitude * (pin ? 1.2 : 0.6), 0.0012);
}

// Noise between a few hundred hertz and several kilohertz, rising at once and
// falling away with time constant tau.
void AddWash(std::vector<double>* out, Noise* noise, double amplitude, double tau) {
    const double high = 1.0 - Exp(-2.0 * kPi * 7000.0 / kSoundRate);
    const double low = 1.0 - Exp(-2.0 * kPi * 500.0 / kSoundRate);
    const double rise = Exp(-1.0 / (0.002 * kSoundRate)), fall = Exp(-1.0 / (tau * kSoundRate));
    double below = 0.0, above = 0.0, rising = 1.0, falling = amplitude;
    for (double& sample : *out) {
        const double v = noise->Next();
        below += high * (v - below);
        above += low * (v - above);
        sample += (1.0 - rising) * falling * (below - above);
        rising *= rise;
        falling *= fall;
    }
}

// Brought to its loudness; peaks above the knee are rounded off below the ceiling,
// and the last moments fade out.
std::vector<s16> Finish(std::vector<double>* out, double rms) {
    double power = 0.0;
    for (double sample : *out)
        power += sample * sample;
    const double gain = rms / Sqrt(power / double(out->size()));
    const u32 fade = Samples(kFadeOut);
    for (u32 i = 0; i < out->size(); ++i) {
        const double v = (*out)[i] * gain, size = v < 0.0 ? -v : v;
        const double over = (size - kKnee) / (kCeiling - kKnee);
        const double limited = size <= kKnee ? size : kKnee + (kCeiling - kKnee) * over / (1.0 + over);
        (*out)[i] = (v < 0.0 ? -limited : limited) * std::min(1.0, double(u32(out->size()) - i) / fade);
    }
    return ToSamples(*out);
}

}  // namespace

std::vector<s16> SynthPinCrash(u32 pins) {
    if (pins < 1 || pins > u32(NUM_PINS))
        throw std::out_of_range("a pin crash is of 1 to 10 pins");
    const double more = double(pins - 1) / double(NUM_PINS - 1);  // 0 for one pin, 1 for all
    const double length = kShortest + (kLongest - kShortest) * more;
    std::vector<double> out(Samples(length));
    Noise noise(0x919u + pins);

    // The ball strikes: its crack on the head pin, the pin's knock, the ball's thump.
    AddBurst(&out, &noise, 0, 2.0, 0.003);
    AddKnock(&out, &noise, 0.0, 1.0, Knock::Pin);
    AddMode(&out, 0, 0.4, 90.0, 0.05);
    // Pins strike pins, most of them early.
    for (u32 k = 0; k < 4 * (pins - 1); ++k) {
        const double u = noise.Unit();
        const double at = 0.004 + 0.5 * length * u * u;
        AddKnock(&out, &noise, at, (0.3 + 0.5 * noise.Unit()) * Exp(-at / (0.4 * length)), Knock::Pin);
    }
    // Each pin falls to the deck or into the pit and bounces, lower each time.
    for (u32 p = 0; p < pins; ++p) {
        double at = 0.05 + 0.5 * length * noise.Unit();
        double amplitude = 0.5 + 0.3 * noise.Unit(), gap = 0.04 + 0.04 * noise.Unit();
        for (int bounce = 0; bounce < 3; ++bounce, at += gap, gap *= 0.6, amplitude *= 0.45)
            AddKnock(&out, &noise, at, amplitude, Knock::Deck);
    }
    // The rattle: pins rolling against each other and the kickbacks, dying away.
    for (u32 k = 0; k < 10 * (pins - 1); ++k) {
        const double at = 0.1 * length + 0.8 * length * noise.Unit();
        const Knock kind = noise.Next() < 0.0 ? Knock::Pin : Knock::Deck;
        AddKnock(&out, &noise, at, (0.1 + 0.2 * noise.Unit()) * Exp(-at / (0.35 * length)), kind);
    }
    AddWash(&out, &noise, 0.5 * (0.1 + 0.9 * more), 0.3 * length);
    return Finish(&out, kQuietest + (kLoudest - kQuietest) * more);
}

}  // namespace soundgen
