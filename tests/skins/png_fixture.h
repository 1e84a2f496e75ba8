#pragma once
// PNG files made in the tests with libpng's writer, in every layout the
// decoder has to handle.
#include <cstdint>
#include <string>
#include <vector>

namespace pendolux::test {

enum class PngLayout { rgb8, rgba8, gray1, gray8, gray16, gray_alpha8, palette8_with_alpha, rgb16 };

struct PngShape {
    int width = 10;
    int height = 10;
    PngLayout layout = PngLayout::rgb8;
    bool interlaced = false;
    bool with_text_chunk = false;  // an ancillary chunk before the pixel data
};

// The colour every fixture holds at (x, y), as 0xAARRGGBB, reduced to what the
// layout can store (grey layouts use the green byte, gray1 thresholds it).
std::uint32_t fixture_pixel(PngLayout layout, int x, int y);

std::vector<std::uint8_t> make_png(const PngShape& shape);

// Byte offset of the first chunk of the given type, or npos.
std::size_t find_chunk(const std::vector<std::uint8_t>& png, const char type[4]);
// Recomputes the CRC of the chunk starting at offset (its length field).
void fix_chunk_crc(std::vector<std::uint8_t>& png, std::size_t offset);

std::vector<std::uint8_t> read_bytes(const std::string& path);
void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace pendolux::test
