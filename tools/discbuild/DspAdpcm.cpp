#include "tools/discbuild/DspAdpcm.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {
namespace {

constexpr u32 kPairs = 8;
constexpr u32 kMaxShift = 12;
constexpr int kFitRounds = 8;

struct Pair {
    double c0 = 0;
    double c1 = 0;
};

// One frame of the source with the two samples before it.
struct Frame {
    double x[kDspAdpcmFrameSamples + 2] = {};
    u32 count = 0;
};

// Sums of the least-squares problem x[n] ~ c0 x[n-1] + c1 x[n-2].
struct Normal {
    double a11 = 0, a12 = 0, a22 = 0, b1 = 0, b2 = 0;

    void Add(const Frame& f) {
        for (u32 i = 2; i < f.count + 2; ++i) {
            a11 += f.x[i - 1] * f.x[i - 1];
            a12 += f.x[i - 1] * f.x[i - 2];
            a22 += f.x[i - 2] * f.x[i - 2];
            b1 += f.x[i] * f.x[i - 1];
            b2 += f.x[i] * f.x[i - 2];
        }
    }

    std::optional<Pair> Solve() const {
        const double det = a11 * a22 - a12 * a12;
        if (std::fabs(det) < 1e-9 * (a11 * a22 + 1.0))
            return a11 > 0 ? std::optional<Pair>(Pair{b1 / a11, 0}) : std::nullopt;
        return Pair{(b1 * a22 - b2 * a12) / det, (b2 * a11 - b1 * a12) / det};
    }
};

double Residual(const Frame& f, const Pair& p) {
    double sum = 0;
    for (u32 i = 2; i < f.count + 2; ++i) {
        const double e = f.x[i] - p.c0 * f.x[i - 1] - p.c1 * f.x[i - 2];
        sum += e * e;
    }
    return sum;
}

s16 Fixed(double c) {
    // Signed 4.11, kept to a stable predictor's range.
    return s16(std::lround(std::clamp(c, -2.0, 1.999) * 2048.0));
}

// Fits eight pairs to the frames: start from common predictors, then alternate
// giving each frame its best pair and refitting each pair to its frames.
std::array<Pair, kPairs> FitPairs(const std::vector<Frame>& frames) {
    std::array<Pair, kPairs> pairs = {
        Pair{0, 0},      Pair{1, 0},   Pair{1.9, -0.92},  Pair{1.6, -0.7},
        Pair{1.2, -0.4}, Pair{0.5, 0}, Pair{1.97, -0.98}, Pair{0.9, -0.2},
    };
    std::vector<u32> best(frames.size());
    for (int round = 0; round < kFitRounds; ++round) {
        for (size_t f = 0; f < frames.size(); ++f) {
            double least = std::numeric_limits<double>::max();
            for (u32 p = 0; p < kPairs; ++p) {
                const double r = Residual(frames[f], pairs[p]);
                if (r < least)
                    least = r, best[f] = p;
            }
        }
        std::array<Normal, kPairs> sums;
        for (size_t f = 0; f < frames.size(); ++f)
            sums[best[f]].Add(frames[f]);
        for (u32 p = 1; p < kPairs; ++p) {  // pair 0 stays the silent predictor
            if (const std::optional<Pair> fitted = sums[p].Solve())
                pairs[p] = Pair{std::clamp(fitted->c0, -2.0, 1.999), std::clamp(fitted->c1, -2.0, 1.999)};
        }
    }
    return pairs;
}

s16 Decode(s32 code, u32 shift, s16 c0, s16 c1, s16 yn1, s16 yn2) {
    const s64 sum = (s64(code) << (shift + 11)) + s64(c0) * yn1 + s64(c1) * yn2 + 1024;
    return s16(std::clamp<s64>(sum >> 11, -32768, 32767));
}

struct Encoded {
    u8 header = 0;
    s8 codes[kDspAdpcmFrameSamples] = {};
    s16 yn1 = 0, yn2 = 0;
    s16 decoded[kDspAdpcmFrameSamples] = {};
    double error = 0;
};

// Encodes one frame with one pair and shift, from the decoder's history.
Encoded EncodeWith(const s16* pcm, u32 count, u32 pair, u32 shift, const s16* coef, s16 yn1, s16 yn2) {
    Encoded e;
    e.header = u8(pair << 4 | shift);
    const s16 c0 = coef[2 * pair], c1 = coef[2 * pair + 1];
    for (u32 i = 0; i < count; ++i) {
        const s64 predicted = s64(c0) * yn1 + s64(c1) * yn2 + 1024;
        const double wanted =
            (double(pcm[i]) * 2048.0 - double(predicted) + 1024.0) / double(1 << (shift + 11));
        const s32 code = s32(std::clamp<double>(std::floor(wanted + 0.5), -8, 7));
        const s16 y = Decode(code, shift, c0, c1, yn1, yn2);
        e.codes[i] = s8(code);
        e.decoded[i] = y;
        e.error += double(y - pcm[i]) * double(y - pcm[i]);
        yn2 = yn1;
        yn1 = y;
    }
    e.yn1 = yn1;
    e.yn2 = yn2;
    return e;
}

}  // namespace

DspAdpcmSound DspAdpcmEncode(std::span<const s16> pcm, u32 sampleRate, std::optional<u32> loopStart) {
    const u32 count = u32(pcm.size());
    const u32 frameCount = (count + kDspAdpcmFrameSamples - 1) / kDspAdpcmFrameSamples;
    std::vector<Frame> frames(frameCount);
    for (u32 f = 0; f < frameCount; ++f) {
        const u32 first = f * kDspAdpcmFrameSamples;
        frames[f].count = std::min(kDspAdpcmFrameSamples, count - first);
        for (u32 i = 0; i < frames[f].count + 2; ++i)
            frames[f].x[i] = first + i >= 2 ? pcm[first + i - 2] : 0.0;
    }

    DspAdpcmSound sound;
    DspAdpcmHeader& h = sound.header;
    const std::array<Pair, kPairs> pairs = FitPairs(frames);
    for (u32 p = 0; p < kPairs; ++p) {
        h.coef[2 * p] = Fixed(pairs[p].c0);
        h.coef[2 * p + 1] = Fixed(pairs[p].c1);
    }

    sound.data.assign(size_t(frameCount) * kDspAdpcmFrameBytes, 0);
    const bool loops = loopStart.has_value() && *loopStart < count;
    s16 yn1 = 0, yn2 = 0;
    for (u32 f = 0; f < frameCount; ++f) {
        const u32 first = f * kDspAdpcmFrameSamples;
        Encoded best;
        best.error = std::numeric_limits<double>::max();
        for (u32 pair = 0; pair < kPairs; ++pair) {
            for (u32 shift = 0; shift <= kMaxShift; ++shift) {
                Encoded e = EncodeWith(&pcm[first], frames[f].count, pair, shift, h.coef, yn1, yn2);
                if (e.error < best.error)
                    best = e;
            }
        }
        if (loops && *loopStart / kDspAdpcmFrameSamples == f) {
            const u32 at = *loopStart % kDspAdpcmFrameSamples;
            h.lps = best.header;
            h.lyn1 = at >= 1 ? best.decoded[at - 1] : yn1;
            h.lyn2 = at >= 2 ? best.decoded[at - 2] : at == 1 ? yn1 : yn2;
        }
        u8* out = &sound.data[size_t(f) * kDspAdpcmFrameBytes];
        out[0] = best.header;
        for (u32 i = 0; i < frames[f].count; ++i)
            out[1 + i / 2] |= u8((best.codes[i] & 0xF) << (i % 2 == 0 ? 4 : 0));
        yn1 = best.yn1;
        yn2 = best.yn2;
    }

    h.numSamples = count;
    h.numNibbles = count == 0 ? 0 : DspAdpcmNibbleAddress(count - 1) + 1;
    h.sampleRate = sampleRate;
    h.loopFlag = loops ? 1 : 0;
    h.sa = DspAdpcmNibbleAddress(loops ? *loopStart : 0);
    h.ea = count == 0 ? 0 : DspAdpcmNibbleAddress(count - 1);
    h.ca = DspAdpcmNibbleAddress(0);
    h.ps = sound.data.empty() ? 0 : sound.data[0];
    return sound;
}

std::array<u8, kDspAdpcmHeaderSize> DspAdpcmHeaderBytes(const DspAdpcmHeader& h) {
    std::array<u8, kDspAdpcmHeaderSize> b{};
    StoreBE32(&b[0], h.numSamples);
    StoreBE32(&b[4], h.numNibbles);
    StoreBE32(&b[8], h.sampleRate);
    StoreBE16(&b[12], h.loopFlag);
    StoreBE16(&b[14], h.format);
    StoreBE32(&b[16], h.sa);
    StoreBE32(&b[20], h.ea);
    StoreBE32(&b[24], h.ca);
    for (u32 i = 0; i < 16; ++i)
        StoreBE16(&b[28 + 2 * i], u16(h.coef[i]));
    StoreBE16(&b[60], h.gain);
    StoreBE16(&b[62], h.ps);
    StoreBE16(&b[64], u16(h.yn1));
    StoreBE16(&b[66], u16(h.yn2));
    StoreBE16(&b[68], h.lps);
    StoreBE16(&b[70], u16(h.lyn1));
    StoreBE16(&b[72], u16(h.lyn2));
    return b;
}

std::vector<s16> DspAdpcmDecode(const DspAdpcmSound& sound) {
    std::vector<s16> out;
    out.reserve(sound.data.size() / kDspAdpcmFrameBytes * kDspAdpcmFrameSamples);
    s16 yn1 = sound.header.yn1, yn2 = sound.header.yn2;
    for (size_t at = 0; at + kDspAdpcmFrameBytes <= sound.data.size(); at += kDspAdpcmFrameBytes) {
        const u8* frame = &sound.data[at];
        const s16* c = &sound.header.coef[2 * (frame[0] >> 4 & 7)];
        const u32 shift = frame[0] & 15;
        for (u32 n = 0; n < kDspAdpcmFrameSamples; ++n) {
            const s32 code = s32(u32(frame[1 + n / 2]) << (n % 2 == 0 ? 24 : 28)) >> 28;
            const s16 y = Decode(code, shift, c[0], c[1], yn1, yn2);
            yn2 = yn1;
            yn1 = y;
            out.push_back(y);
        }
    }
    return out;
}

}  // namespace discbuild
