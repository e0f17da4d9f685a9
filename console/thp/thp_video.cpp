// THP video: the frame's JPEG gets its scan's byte stuffing back, libjpeg decodes
// it to raw 4:2:0 planes, and the planes are written as I8 texture tiles.

// jpeglib.h needs size_t and FILE declared first.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <vector>

#include "console/thp.h"

namespace {

constexpr u8 kMarker = 0xFF;
constexpr u8 kSoi = 0xD8;
constexpr u8 kEoi = 0xD9;
constexpr u8 kSos = 0xDA;
constexpr u8 kDri = 0xDD;
// The widest and tallest texture the GPU takes.
constexpr u32 kMaxSide = 1024;

// The JPEG as a decoder expects it, or empty when the markers do not hold up.
// Restart intervals are refused: without stuffing their markers cannot be told
// from scan data.
std::vector<u8> RestoreStuffing(const u8* data, u32 size) {
    if (size < 4 || data[0] != kMarker || data[1] != kSoi || data[size - 2] != kMarker ||
        data[size - 1] != kEoi)
        return {};
    u32 at = 2;
    for (;;) {
        if (size - at < 4 || data[at] != kMarker)
            return {};
        const u8 marker = data[at + 1];
        const u32 length = u32(data[at + 2]) << 8 | data[at + 3];
        if (marker == kDri || marker == kEoi || length < 2 || length > size - at - 2)
            return {};
        at += 2 + length;
        if (marker == kSos)
            break;
    }
    const u32 scanEnd = size - 2;
    if (at > scanEnd)
        return {};
    std::vector<u8> jpeg(data, data + at);
    jpeg.reserve(size + (size >> 4) + 2);
    for (u32 i = at; i < scanEnd; ++i) {
        jpeg.push_back(data[i]);
        if (data[i] == kMarker)
            jpeg.push_back(0);
    }
    jpeg.push_back(kMarker);
    jpeg.push_back(kEoi);
    return jpeg;
}

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

// Errors and corrupt-data warnings both end the decode; nothing is printed.
[[noreturn]] void Escape(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1);
}

void Message(j_common_ptr cinfo, int level) {
    if (level < 0)
        Escape(cinfo);
}

void Silent(j_common_ptr) {}

bool Is420(const jpeg_decompress_struct& cinfo, u32 width, u32 height) {
    const jpeg_component_info* c = cinfo.comp_info;
    return cinfo.image_width == width && cinfo.image_height == height && cinfo.num_components == 3 &&
           cinfo.jpeg_color_space == JCS_YCbCr && !cinfo.progressive_mode && c[0].h_samp_factor == 2 &&
           c[0].v_samp_factor == 2 && c[1].h_samp_factor == 1 && c[1].v_samp_factor == 1 &&
           c[2].h_samp_factor == 1 && c[2].v_samp_factor == 1;
}

// Row y of a plane `width` texels wide, as 8x4 I8 tiles: the tile row, then the
// row within the tile; texel x is at TileRow + (x / 8) * 32 + x % 8.
u8* TileRow(u8* plane, u32 width, u32 y) {
    return plane + (y / 4) * (width / 8) * 32 + (y % 4) * 8;
}

void StoreRow(u8* plane, u32 width, u32 y, const JSAMPLE* row) {
    u8* out = TileRow(plane, width, y);
    for (u32 x = 0; x < width; x += 8, out += 32)
        for (u32 i = 0; i < 8; ++i)
            out[i] = row[x + i];
}

// Only plain data lives in this frame, so the escape from libjpeg skips no
// destructor.
bool Decode(const std::vector<u8>& jpeg, u32 width, u32 height, u8* planes[3]) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = Escape;
    errors.base.emit_message = Message;
    errors.base.output_message = Silent;
    if (setjmp(errors.escape) != 0) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || !Is420(cinfo, width, height)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.raw_data_out = TRUE;
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    // One call yields 16 luma rows and 8 of each chroma plane.
    JSAMPLE lines[3][16][kMaxSide];
    JSAMPROW rows[3][16];
    JSAMPARRAY image[3] = {rows[0], rows[1], rows[2]};
    for (u32 c = 0; c < 3; ++c)
        for (u32 r = 0; r < 16; ++r)
            rows[c][r] = lines[c][r];
    for (u32 y = 0; y < height; y += 16) {
        if (jpeg_read_raw_data(&cinfo, image, 16) != 16) {
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        for (u32 r = 0; r < 16; ++r)
            StoreRow(planes[0], width, y + r, lines[0][r]);
        for (u32 r = 0; r < 8; ++r) {
            StoreRow(planes[1], width / 2, y / 2 + r, lines[1][r]);
            StoreRow(planes[2], width / 2, y / 2 + r, lines[2][r]);
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

BOOL THPInit() {
    return TRUE;
}

s32 THPVideoDecode(const void* data, u32 size, u32 width, u32 height, void* tileY, void* tileU, void* tileV) {
    if (data == nullptr || width == 0 || height == 0 || width % 16 != 0 || height % 16 != 0 ||
        width > kMaxSide || height > kMaxSide)
        return THP_ERROR;
    const std::vector<u8> jpeg = RestoreStuffing(static_cast<const u8*>(data), size);
    u8* planes[3] = {static_cast<u8*>(tileY), static_cast<u8*>(tileU), static_cast<u8*>(tileV)};
    return !jpeg.empty() && Decode(jpeg, width, height, planes) ? THP_OK : THP_ERROR;
}
