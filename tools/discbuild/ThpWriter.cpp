#include "tools/discbuild/ThpWriter.h"

// jpeglib.h needs size_t and FILE declared first.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstdlib>

#include "tools/discbuild/ChunkOut.h"
#include "tools/discbuild/DspAdpcm.h"

namespace discbuild {

namespace {

constexpr u32 kVersion = 0x00011000;
constexpr u32 kHeaderSize = 48;
constexpr u32 kCompVideo = 0;
constexpr u32 kCompAudio = 1;
constexpr u32 kCompNone = 0xFF;

// Drops the 0x00 after every 0xFF of the entropy-coded scan (between the end
// of the SOS segment and the closing EOI).
std::vector<u8> RemoveStuffing(const u8* jpeg, size_t size) {
    size_t at = 2;
    while (at + 4 <= size && jpeg[at] == 0xFF) {
        const size_t length = size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
        const bool sos = jpeg[at + 1] == 0xDA;
        at += 2 + length;
        if (sos)
            break;
    }
    std::vector<u8> out(jpeg, jpeg + at);
    for (size_t i = at; i + 2 < size; ++i) {
        out.push_back(jpeg[i]);
        if (jpeg[i] == 0xFF)
            ++i;
    }
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}

// The component data of one frame: video, then the audio tracks, each track
// zero-padded to the longest so that they share one size.
struct FrameData {
    std::vector<u8> video;
    std::vector<std::vector<u8>> audio;
    u32 audioSize = 0;
};

// One channel of a track, encoded whole so that the sound runs on across frames,
// and the decoder's last two samples at the start of every ADPCM frame.
struct EncodedChannel {
    DspAdpcmSound sound;
    std::vector<std::array<s16, 2>> history;
};

EncodedChannel EncodeChannel(const std::vector<s16>& track, u32 channels, u32 channel, u32 frequency) {
    std::vector<s16> pcm(track.size() / channels);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = track[i * channels + channel];
    EncodedChannel out{DspAdpcmEncode(pcm, frequency, std::nullopt), {{0, 0}}};
    const std::vector<s16> decoded = DspAdpcmDecode(out.sound);
    for (size_t end = kDspAdpcmFrameSamples; end <= decoded.size(); end += kDspAdpcmFrameSamples)
        out.history.push_back({decoded[end - 1], decoded[end - 2]});
    return out;
}

// ADPCM frames [first, end) of every channel as one movie frame's track.
std::vector<u8> AudioTrack(const std::vector<EncodedChannel>& channels, u32 first, u32 end, u32 samples) {
    ChunkOut out;
    out.Word(u32(channels.size()));
    out.Word(samples);
    for (const EncodedChannel& channel : channels) {
        for (s16 coef : channel.sound.header.coef)
            out.Half(u16(coef));
        out.Half(u16(channel.history[first][0]));
        out.Half(u16(channel.history[first][1]));
    }
    for (const EncodedChannel& channel : channels)
        out.Bytes(channel.sound.data.data() + first * kDspAdpcmFrameBytes,
                  (end - first) * kDspAdpcmFrameBytes);
    return out.Take();
}

}  // namespace

std::vector<u8> ThpEncodeVideo(const u8* rgb, u32 width, u32 height, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);  // YCbCr, luma 2x2, chroma 1x1
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < height) {
        JSAMPROW row = const_cast<u8*>(rgb + size_t(cinfo.next_scanline) * width * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<u8> video = RemoveStuffing(buffer, size);
    std::free(buffer);
    return video;
}

std::vector<u8> ThpWrite(const ThpMovie& movie) {
    const u32 frames = u32(movie.pictures.size());
    const u32 channels = movie.tracks.empty() ? 0 : movie.channels;
    const size_t pictureBytes = size_t(movie.width) * movie.height * 3;
    if (frames == 0 || movie.width % 16 != 0 || movie.height % 16 != 0 || movie.width == 0 ||
        movie.height == 0)
        return {};
    for (const std::vector<u8>& picture : movie.pictures)
        if (picture.size() != pictureBytes)
            return {};
    if (!movie.tracks.empty() && (channels < 1 || channels > 2))
        return {};
    const size_t trackSamples = movie.tracks.empty() ? 0 : movie.tracks[0].size() / std::max(channels, 1u);
    for (const std::vector<s16>& track : movie.tracks)
        if (track.size() != trackSamples * channels)
            return {};

    std::vector<std::vector<EncodedChannel>> tracks;
    for (const std::vector<s16>& track : movie.tracks) {
        tracks.emplace_back();
        for (u32 c = 0; c < channels; ++c)
            tracks.back().push_back(EncodeChannel(track, channels, c, movie.frequency));
    }
    // Each frame takes whole ADPCM frames, its share of the sound.
    const u32 adpcmFrames = u32((trackSamples + kDspAdpcmFrameSamples - 1) / kDspAdpcmFrameSamples);
    std::vector<FrameData> data(frames);
    u32 audioMaxSamples = 0;
    for (u32 f = 0; f < frames; ++f) {
        data[f].video = ThpEncodeVideo(movie.pictures[f].data(), movie.width, movie.height, movie.quality);
        const u32 first = adpcmFrames * f / frames, end = adpcmFrames * (f + 1) / frames;
        const u32 samples =
            u32(std::min<size_t>(end * kDspAdpcmFrameSamples, trackSamples)) - first * kDspAdpcmFrameSamples;
        audioMaxSamples = std::max(audioMaxSamples, samples);
        for (const std::vector<EncodedChannel>& track : tracks) {
            data[f].audio.push_back(AudioTrack(track, first, end, samples));
            data[f].audioSize = std::max(data[f].audioSize, u32(data[f].audio.back().size()));
        }
        for (std::vector<u8>& track : data[f].audio)
            track.resize(data[f].audioSize);
    }

    const u32 components = channels != 0 ? 2 : 1;
    const u32 sizeWords = 4 * (2 + components);
    std::vector<u32> frameSizes(frames);
    for (u32 f = 0; f < frames; ++f) {
        const u32 bytes = sizeWords + u32(data[f].video.size() + data[f].audio.size() * data[f].audioSize);
        frameSizes[f] = (bytes + 31) & ~31u;
    }

    ChunkOut out(kHeaderSize);
    const u32 compInfo = out.Size();
    out.Word(components);
    for (u32 i = 0; i < 16; ++i)
        out.Byte(u8(i == 0 ? kCompVideo : i == 1 && channels != 0 ? kCompAudio : kCompNone));
    out.Word(movie.width);
    out.Word(movie.height);
    out.Word(0);  // video type: progressive
    if (channels != 0) {
        out.Word(channels);
        out.Word(movie.frequency);
        out.Word(u32(trackSamples));
        out.Word(u32(movie.tracks.size()));
    }
    out.Align(32);
    const u32 movieData = out.Size();
    u32 lastFrame = movieData;
    for (u32 f = 0; f < frames; ++f) {
        lastFrame = out.Size();
        // A looping reader follows the last frame's next size back to the first.
        out.Word(frameSizes[(f + 1) % frames]);
        out.Word(frameSizes[(f + frames - 1) % frames]);
        out.Word(u32(data[f].video.size()));
        if (channels != 0)
            out.Word(data[f].audioSize);
        out.Bytes(data[f].video);
        for (const std::vector<u8>& track : data[f].audio)
            out.Bytes(track);
        out.Align(32);
    }
    const u32 bufSize = *std::max_element(frameSizes.begin(), frameSizes.end());
    out.Patch(0, 0x54485000);
    out.Patch(4, kVersion);
    out.Patch(8, bufSize);
    out.Patch(12, audioMaxSamples);
    out.Patch(16, std::bit_cast<u32>(movie.frameRate));
    out.Patch(20, frames);
    out.Patch(24, frameSizes[0]);
    out.Patch(28, out.Size() - movieData);
    out.Patch(32, compInfo);
    out.Patch(36, 0);
    out.Patch(40, movieData);
    out.Patch(44, lastFrame);
    return out.Take();
}

}  // namespace discbuild
