#include "core/skins/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace pendolux {
namespace {

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

void ignore_warning(png_structp, png_const_charp) {}

// All libpng work happens here, in plain C data only, so that a longjmp out of
// libpng skips no destructor. Returns false on any decoding error.
bool decode_into(MemoryReader* reader, png_uint_32* width, png_uint_32* height, png_bytep* rows_buffer,
                 std::size_t* rows_size) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, ignore_warning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    png_bytep volatile buffer = nullptr;
    png_bytepp volatile row_pointers = nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_free(png, row_pointers);
        png_free(png, buffer);
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return false;
    }
    png_set_user_limits(png, max_png_side, max_png_side);
    png_set_chunk_malloc_max(png, 8u * 1024u * 1024u);
    png_set_read_fn(png, reader, read_from_memory);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info);
    const png_uint_32 h = png_get_image_height(png, info);
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
    const std::size_t stride = static_cast<std::size_t>(w) * 4;
    buffer = static_cast<png_bytep>(png_malloc(png, stride * h));
    row_pointers = static_cast<png_bytepp>(png_malloc(png, sizeof(png_bytep) * h));
    for (png_uint_32 y = 0; y < h; ++y) row_pointers[y] = buffer + y * stride;
    png_read_image(png, row_pointers);
    // The picture ends here; whatever follows its data is never read.
    png_free(png, row_pointers);
    // Hand the pixel buffer over: copy out with plain malloc so the caller owns it.
    *rows_buffer = static_cast<png_bytep>(std::malloc(stride * h));
    if (*rows_buffer != nullptr) std::memcpy(*rows_buffer, buffer, stride * h);
    png_free(png, buffer);
    png_destroy_read_struct(&png, &info, nullptr);
    *width = w;
    *height = h;
    *rows_size = stride * h;
    return *rows_buffer != nullptr;
}

}  // namespace

bool looks_like_png(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

std::optional<Picture> decode_png(std::span<const std::uint8_t> bytes) {
    if (!looks_like_png(bytes)) return std::nullopt;
    MemoryReader reader{bytes.data(), bytes.size(), 0};
    png_uint_32 width = 0, height = 0;
    png_bytep rgba = nullptr;
    std::size_t size = 0;
    if (!decode_into(&reader, &width, &height, &rgba, &size)) return std::nullopt;
    Picture picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const png_bytep p = rgba + i * 4;
        picture.pixels[i] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
    }
    std::free(rgba);
    return picture;
}

}  // namespace pendolux
