// The voice mixer: each running voice is decoded from main memory, converted to
// 32 kHz by linear interpolation, scaled by its envelope and gains and summed; the
// sum is clamped to 16 bits.
#include <cstring>

#include "console/ax/ax_adpcm.h"
#include "console/ax/ax_control.h"
#include "console/os/arena.h"

namespace console {
namespace {

// Reads sample memory by physical byte address; outside the arenas reads zeros.
class SampleMemory {
public:
    u8 Byte(u32 address) {
        if (address - span_.first >= span_.size) {
            span_ = ArenaPhysicalSpan(address);
            if (span_.host == nullptr)
                return 0;
        }
        return span_.host[address - span_.first];
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
          adpcm_(pb.addr.format == AX_PB_FORMAT_ADPCM),
          address_(pb.addr.currentAddress),
          predScale_(pb.adpcm.pred_scale),
          yn1_(s16(pb.adpcm.yn1)),
          yn2_(s16(pb.adpcm.yn2)) {
        for (u32 i = 0; i < 8; ++i) {
            coef_[i][0] = s16(pb.adpcm.a[i][0]);
            coef_[i][1] = s16(pb.adpcm.a[i][1]);
        }
    }

    bool Stopped() const { return stopped_; }

    s16 Next() {
        if (stopped_)
            return 0;
        s16 sample;
        if (adpcm_) {
            if ((address_ & 15) < 2 && EndInHeader()) {
                ReachEnd();
                if (stopped_)
                    return 0;
            }
            if ((address_ & 15) < 2) {
                // A frame header: its byte is the new predictor and scale.
                address_ &= ~15u;
                predScale_ = memory_.Byte(address_ >> 1);
                address_ += 2;
            }
            const s32 code = AdpcmCode(memory_.Byte(address_ >> 1), (address_ & 1) != 0);
            const s16* c = coef_[(predScale_ >> 4) & 7];
            sample = AdpcmSample(code, predScale_ & 15, c[0], c[1], yn1_, yn2_);
            yn2_ = yn1_;
            yn1_ = sample;
        } else {
            const u8 bytes[2] = {memory_.Byte(address_ * 2), memory_.Byte(address_ * 2 + 1)};
            std::memcpy(&sample, bytes, 2);
        }
        if (address_ == pb_.addr.endAddress)
            ReachEnd();
        else
            ++address_;
        return sample;
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
    // An end address on the header about to be skipped still ends the voice.
    bool EndInHeader() const {
        const u32 end = pb_.addr.endAddress;
        return end >= address_ && end - (address_ & ~15u) < 2;
    }

    void ReachEnd() {
        if (pb_.addr.loopFlag == 0) {
            stopped_ = true;
            return;
        }
        address_ = pb_.addr.loopAddress;
        if (!adpcm_)
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
    bool adpcm_;
    bool stopped_ = false;
    u32 address_;
    u16 predScale_;
    s16 yn1_;
    s16 yn2_;
    s16 coef_[8][2];
};

void MixVoice(AXPB& pb, s32* left, s32* right) {
    VoiceDecoder decoder(pb);
    const bool linear = pb.srcSelect == AX_SRC_TYPE_LINEAR;
    const u64 ratio = (u64(pb.src.ratioHi) << 16) | pb.src.ratioLo;
    u64 frac = pb.src.currentAddressFrac;
    // last_samples[0] is the newest input sample, [1] the one before.
    s32 newer = s16(pb.src.last_samples[0]);
    s32 older = s16(pb.src.last_samples[1]);
    AXPBMIX& mix = pb.mix;
    AXPBVE& ve = pb.ve;
    const bool ramps = ve.currentDelta != 0 || mix.vDeltaL != 0 || mix.vDeltaR != 0;
    s64 gainL = (s64(ve.currentVolume) * mix.vL) >> 15;
    s64 gainR = (s64(ve.currentVolume) * mix.vR) >> 15;
    for (u32 i = 0; i < AX_FRAME_SAMPLES; ++i) {
        s32 sample;
        if (linear) {
            sample = older + s32(((newer - older) * s64(frac)) >> 16);
            frac += ratio;
            for (u64 n = frac >> 16; n != 0; --n) {
                if (decoder.Stopped()) {
                    older = newer = 0;
                    break;
                }
                older = newer;
                newer = decoder.Next();
            }
            frac &= 0xFFFF;
        } else {
            sample = decoder.Next();
        }
        left[i] += s32((sample * gainL) >> 15);
        right[i] += s32((sample * gainR) >> 15);
        if (ramps) {
            ve.currentVolume = MoveGain(ve.currentVolume, u16(ve.currentDelta));
            mix.vL = MoveGain(mix.vL, mix.vDeltaL);
            mix.vR = MoveGain(mix.vR, mix.vDeltaR);
            gainL = (s64(ve.currentVolume) * mix.vL) >> 15;
            gainR = (s64(ve.currentVolume) * mix.vR) >> 15;
        }
    }
    decoder.Store();
    pb.src.currentAddressFrac = u16(frac);
    pb.src.last_samples[0] = u16(s16(newer));
    pb.src.last_samples[1] = u16(s16(older));
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
