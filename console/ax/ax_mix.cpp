// The voice mixer: each running voice is decoded from main memory, converted to
// 32 kHz by linear interpolation, scaled by its envelope and gains and summed; the
// sum is clamped to 16 bits. A voice's input for the whole frame is decoded first,
// one ADPCM frame at a time, then resampled and mixed.
#include <algorithm>
#include <cstring>

#include "console/ax/ax_adpcm.h"
#include "console/ax/ax_control.h"
#include "console/os/arena.h"

namespace console {
namespace {

// Ratios above this play at it, which bounds one frame's input.
constexpr u32 kMaxRatio = 8u << 16;
constexpr u32 kMaxInput = AX_FRAME_SAMPLES * (kMaxRatio >> 16) + 1;

// Reads sample memory by physical byte address; outside the arenas reads zeros.
class SampleMemory {
public:
    // The `bytes` bytes at `address`, or null when they are not all in one arena.
    const u8* Bytes(u32 address, u32 bytes) {
        if (address - span_.first >= span_.size || bytes > span_.size - (address - span_.first)) {
            span_ = ArenaPhysicalSpan(address);
            if (span_.host == nullptr || bytes > span_.size - (address - span_.first))
                return nullptr;
        }
        return span_.host + (address - span_.first);
    }

    u8 Byte(u32 address) {
        const u8* at = Bytes(address, 1);
        return at != nullptr ? *at : 0;
    }

private:
    PhysicalSpan span_;
};

u16 MoveGain(u16 gain, u16 delta) {
    const s32 moved = s32(gain) + s16(delta);
    return u16(moved < 0 ? 0 : moved > 0xFFFF ? 0xFFFF : moved);
}

// One voice's decoder for the length of a frame; Store writes its state back.
class VoiceDecoder {
public:
    explicit VoiceDecoder(AXPB& pb)
        : pb_(pb),
          end_(pb.addr.endAddress),
          address_(pb.addr.currentAddress),
          predScale_(pb.adpcm.pred_scale),
          yn1_(s16(pb.adpcm.yn1)),
          yn2_(s16(pb.adpcm.yn2)) {
        for (u32 i = 0; i < 8; ++i) {
            coef_[i][0] = s16(pb.adpcm.a[i][0]);
            coef_[i][1] = s16(pb.adpcm.a[i][1]);
        }
    }

    // Decodes the next `count` input samples; once the voice stops, zeros.
    void Decode(s16* out, u32 count) {
        u32 done = pb_.addr.format == AX_PB_FORMAT_ADPCM ? DecodeAdpcm(out, count) : DecodePcm16(out, count);
        std::fill(out + done, out + count, s16(0));
    }

    void Store() {
        pb_.addr.currentAddress = address_;
        pb_.adpcm.pred_scale = predScale_;
        pb_.adpcm.yn1 = u16(yn1_);
        pb_.adpcm.yn2 = u16(yn2_);
        if (stopped_)
            pb_.state = AX_PB_STATE_STOP;
    }

private:
    u32 DecodeAdpcm(s16* out, u32 count) {
        u32 done = 0;
        bool looped = false;
        while (done < count && !stopped_) {
            if ((address_ & 15) < 2) {
                // An end address on the header about to be skipped still ends the voice
                // (once: a loop back onto the same header plays on).
                if (!looped && end_ >= address_ && end_ - (address_ & ~15u) < 2) {
                    ReachEnd();
                    looped = true;
                    continue;
                }
                // A frame header: its byte is the new predictor and scale.
                address_ &= ~15u;
                predScale_ = memory_.Byte(address_ >> 1);
                address_ += 2;
            }
            // The run to the end of this frame, or to the end address within it.
            const u32 frameLast = address_ | 15;
            const bool ends = end_ >= address_ && end_ <= frameLast;
            const u32 last = ends ? end_ : frameLast;
            const u32 n = std::min(last - address_ + 1, count - done);
            const u8* frame = memory_.Bytes((address_ >> 1) & ~7u, kAdpcmFrameBytes);
            static constexpr u8 kSilentFrame[kAdpcmFrameBytes] = {};
            if (frame == nullptr)
                frame = kSilentFrame;
            const s16* c = coef_[(predScale_ >> 4) & 7];
            const u32 shift = predScale_ & 15;
            s64 yn1 = yn1_, yn2 = yn2_;
            for (u32 i = 0; i < n; ++i) {
                const u32 nibble = (address_ + i) & 15;
                const s64 sample = AdpcmSample(AdpcmCode(frame[nibble >> 1], (nibble & 1) != 0), shift, c[0],
                                               c[1], yn1, yn2);
                yn2 = yn1;
                yn1 = sample;
                out[done + i] = s16(sample);
            }
            yn1_ = s16(yn1);
            yn2_ = s16(yn2);
            done += n;
            looped = false;
            if (ends && address_ + n - 1 == last)
                ReachEnd();
            else
                address_ += n;
        }
        return done;
    }

    u32 DecodePcm16(s16* out, u32 count) {
        u32 done = 0;
        for (; done < count && !stopped_; ++done) {
            const u8* bytes = memory_.Bytes(address_ * 2, 2);
            s16 sample = 0;
            if (bytes != nullptr)
                std::memcpy(&sample, bytes, 2);  // host byte order
            out[done] = sample;
            if (address_ == end_)
                ReachEnd();
            else
                ++address_;
        }
        return done;
    }

    void ReachEnd() {
        if (pb_.addr.loopFlag == 0) {
            stopped_ = true;
            return;
        }
        address_ = pb_.addr.loopAddress;
        if (pb_.addr.format != AX_PB_FORMAT_ADPCM)
            return;
        if (pb_.type == AX_PB_TYPE_STREAM) {
            // A ring refilled by its owner: the history runs on.
            predScale_ = memory_.Byte((address_ & ~15u) >> 1);
        } else {
            predScale_ = pb_.adpcmLoop.loop_pred_scale;
            yn1_ = s16(pb_.adpcmLoop.loop_yn1);
            yn2_ = s16(pb_.adpcmLoop.loop_yn2);
        }
    }

    AXPB& pb_;
    SampleMemory memory_;
    bool stopped_ = false;
    u32 end_;
    u32 address_;
    u16 predScale_;
    s16 yn1_;
    s16 yn2_;
    s16 coef_[8][2];
};

// The voice's frame of output samples at 32 kHz, before gains.
void Resample(AXPB& pb, VoiceDecoder& decoder, s32* out) {
    if (pb.srcSelect != AX_SRC_TYPE_LINEAR) {
        s16 input[AX_FRAME_SAMPLES];
        decoder.Decode(input, AX_FRAME_SAMPLES);
        std::copy(input, input + AX_FRAME_SAMPLES, out);
        return;
    }
    const u32 ratio = std::min((u32(pb.src.ratioHi) << 16) | pb.src.ratioLo, kMaxRatio);
    const u32 frac = pb.src.currentAddressFrac;
    const u32 consumed = (frac + AX_FRAME_SAMPLES * ratio) >> 16;
    // input[0] and [1]: the last two samples of the previous frame, older first.
    s16 input[2 + kMaxInput];
    input[0] = s16(pb.src.last_samples[1]);
    input[1] = s16(pb.src.last_samples[0]);
    decoder.Decode(input + 2, consumed);
    u32 position = frac;
    for (u32 i = 0; i < AX_FRAME_SAMPLES; ++i, position += ratio) {
        const s32 older = input[position >> 16];
        const s32 newer = input[(position >> 16) + 1];
        // 15 bits of the fraction keep the product in 32 bits.
        out[i] = older + (((newer - older) * s32((position & 0xFFFF) >> 1)) >> 15);
    }
    pb.src.currentAddressFrac = u16(position);
    pb.src.last_samples[0] = u16(input[consumed + 1]);
    pb.src.last_samples[1] = u16(input[consumed]);
}

void MixVoice(AXPB& pb, s32* left, s32* right) {
    VoiceDecoder decoder(pb);
    s32 samples[AX_FRAME_SAMPLES];
    Resample(pb, decoder, samples);
    decoder.Store();
    AXPBMIX& mix = pb.mix;
    AXPBVE& ve = pb.ve;
    if (ve.currentDelta == 0 && mix.vDeltaL == 0 && mix.vDeltaR == 0) {
        const s32 gainL = s32((u32(ve.currentVolume) * mix.vL) >> 15);
        const s32 gainR = s32((u32(ve.currentVolume) * mix.vR) >> 15);
        if (gainL <= 0xFFFF && gainR <= 0xFFFF) {
            // Up to twice unity: the products fit in 32 bits.
            for (u32 i = 0; i < AX_FRAME_SAMPLES; ++i) {
                left[i] += (samples[i] * gainL) >> 15;
                right[i] += (samples[i] * gainR) >> 15;
            }
            return;
        }
    }
    for (u32 i = 0; i < AX_FRAME_SAMPLES; ++i) {
        left[i] += s32((samples[i] * ((s64(ve.currentVolume) * mix.vL) >> 15)) >> 15);
        right[i] += s32((samples[i] * ((s64(ve.currentVolume) * mix.vR) >> 15)) >> 15);
        ve.currentVolume = MoveGain(ve.currentVolume, u16(ve.currentDelta));
        mix.vL = MoveGain(mix.vL, mix.vDeltaL);
        mix.vR = MoveGain(mix.vR, mix.vDeltaR);
    }
}

s16 Clamp16(s32 value) {
    return s16(value > 32767 ? 32767 : value < -32768 ? -32768 : value);
}

}  // namespace

void AXMixFrame(AXVPB* voices, u32 count, s16* out) {
    s32 left[AX_FRAME_SAMPLES] = {};
    s32 right[AX_FRAME_SAMPLES] = {};
    for (u32 v = 0; v < count; ++v) {
        if (voices[v].pb.state == AX_PB_STATE_RUN)
            MixVoice(voices[v].pb, left, right);
    }
    for (u32 i = 0; i < AX_FRAME_SAMPLES; ++i) {
        out[2 * i] = Clamp16(left[i]);
        out[2 * i + 1] = Clamp16(right[i]);
    }
}

}  // namespace console
