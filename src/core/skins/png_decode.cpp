#include "core/skins/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace pendolux {
namespace {

// Plain C data only from here to decode_rows: libpng reports errors by
// longjmp, which must not skip any destructor.
struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset;
};

void read_from_memory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

// Silent: a bad picture is an ordinary outcome, not something to print.
void fail_silently(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignore_warning(png_structp, png_const_charp) {}

// Decodes into out, which holds width * height * 4 bytes, as R, G, B, A bytes.
// The caller has read width and height from IHDR; libpng must agree.
bool decode_rows(MemoryReader* reader, png_uint_32 width, png_uint_32 height, png_bytep out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, fail_silently, ignore_warning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    png_bytepp volatile row_pointers = nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_free(png, row_pointers);
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return false;
    }
    png_set_user_limits(png, max_picture_side, max_picture_side);
    png_set_chunk_malloc_max(png, 8u * 1024u * 1024u);
    png_set_chunk_cache_max(png, 128);
    png_set_read_fn(png, reader, read_from_memory);
    png_read_info(png, info);
    if (png_get_image_width(png, info) != width || png_get_image_height(png, info) != height)
        png_error(png, "size mismatch");
    const int color_type = png_get_color_type(png, info);
    const int bit_depth = png_get_bit_depth(png, info);
    if (bit_depth == 16) png_set_strip_16(png);
    if (color_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (color_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (color_type == PNG_COLOR_TYPE_GRAY || color_type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_size_t stride = static_cast<png_size_t>(width) * 4;
    if (png_get_rowbytes(png, info) != stride) png_error(png, "unexpected row layout");
    row_pointers = static_cast<png_bytepp>(png_malloc(png, sizeof(png_bytep) * height));
    for (png_uint_32 y = 0; y < height; ++y) row_pointers[y] = out + y * stride;
    png_read_image(png, row_pointers);
    // No png_read_end: the picture ends with its last row, trailing bytes stay unread.
    png_free(png, row_pointers);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

std::uint32_t read_be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

bool looks_like_png(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

std::optional<Picture> decode_png(std::span<const std::uint8_t> bytes) {
    // Signature, then IHDR must come first: length 13, "IHDR", width, height.
    if (!looks_like_png(bytes) || bytes.size() < 33) return std::nullopt;
    if (read_be32(&bytes[8]) != 13 || std::memcmp(&bytes[12], "IHDR", 4) != 0) return std::nullopt;
    const std::uint32_t width = read_be32(&bytes[16]);
    const std::uint32_t height = read_be32(&bytes[20]);
    if (width == 0 || height == 0 || width > max_picture_side || height > max_picture_side) return std::nullopt;

    Picture picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(std::size_t{width} * height);
    auto* raw = reinterpret_cast<png_bytep>(picture.pixels.data());
    MemoryReader reader{bytes.data(), bytes.size(), 0};
    if (!decode_rows(&reader, width, height, raw)) return std::nullopt;
    // R, G, B, A bytes in place -> 0xAARRGGBB words.
    for (auto& pixel : picture.pixels) {
        std::uint8_t rgba[4];
        std::memcpy(rgba, &pixel, 4);
        pixel = (std::uint32_t{rgba[3]} << 24) | (std::uint32_t{rgba[0]} << 16) | (std::uint32_t{rgba[1]} << 8) | rgba[2];
    }
    return picture;
}

}  // namespace pendolux
