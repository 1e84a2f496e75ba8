#include "skins/png_fixture.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace pendolux::test {
namespace {

std::uint8_t channel(int x, int y, int salt) { return static_cast<std::uint8_t>((x * 37 + y * 11 + salt * 71) & 0xFF); }

std::uint32_t argb(unsigned a, unsigned r, unsigned g, unsigned b) { return (a << 24) | (r << 16) | (g << 8) | b; }

void put_be32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void put_chunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
    put_be32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put_be32(out, static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(data.size() + 4))));
}

struct Format {
    std::uint8_t color_type;
    std::uint8_t depth;
};

Format format_of(PngLayout layout) {
    switch (layout) {
    case PngLayout::rgb8: return {2, 8};
    case PngLayout::rgba8: return {6, 8};
    case PngLayout::gray1: return {0, 1};
    case PngLayout::gray8: return {0, 8};
    case PngLayout::gray16: return {0, 16};
    case PngLayout::gray_alpha8: return {4, 8};
    case PngLayout::palette8_with_alpha: return {3, 8};
    case PngLayout::rgb16: return {2, 16};
    }
    return {2, 8};
}

// One scanline with filter type 0 for the pixels (x0 + i * dx, y).
void put_scanline(std::vector<std::uint8_t>& out, PngLayout layout, int y, int x0, int dx, int width) {
    out.push_back(0);
    std::uint8_t bits = 0;
    int bit_count = 0;
    for (int x = x0; x < width; x += dx) {
        const std::uint32_t c = fixture_pixel(layout, x, y);
        const auto a = static_cast<std::uint8_t>(c >> 24), r = static_cast<std::uint8_t>(c >> 16),
                   g = static_cast<std::uint8_t>(c >> 8), b = static_cast<std::uint8_t>(c);
        switch (layout) {
        case PngLayout::rgb8: out.insert(out.end(), {r, g, b}); break;
        case PngLayout::rgba8: out.insert(out.end(), {r, g, b, a}); break;
        case PngLayout::gray1:
            bits = static_cast<std::uint8_t>(bits | ((g ? 1 : 0) << (7 - bit_count)));
            if (++bit_count == 8) out.push_back(bits), bits = 0, bit_count = 0;
            break;
        case PngLayout::gray8: out.push_back(g); break;
        case PngLayout::gray16: out.insert(out.end(), {g, static_cast<std::uint8_t>(~g)}); break;
        case PngLayout::gray_alpha8: out.insert(out.end(), {g, a}); break;
        case PngLayout::palette8_with_alpha: out.push_back(static_cast<std::uint8_t>((x + y) % 4)); break;
        case PngLayout::rgb16: out.insert(out.end(), {r, 0x55, g, 0xAA, b, 0x0F}); break;
        }
    }
    if (bit_count > 0) out.push_back(bits);
}

std::vector<std::uint8_t> raw_pixel_data(const PngShape& shape) {
    std::vector<std::uint8_t> raw;
    if (!shape.interlaced) {
        for (int y = 0; y < shape.height; ++y) put_scanline(raw, shape.layout, y, 0, 1, shape.width);
        return raw;
    }
    // Adam7: seven passes, each a sub-picture of its own; empty passes have no rows.
    constexpr int x0[] = {0, 4, 0, 2, 0, 1, 0}, y0[] = {0, 0, 4, 0, 2, 0, 1};
    constexpr int dx[] = {8, 8, 4, 4, 2, 2, 1}, dy[] = {8, 8, 8, 4, 4, 2, 2};
    for (int pass = 0; pass < 7; ++pass) {
        if (x0[pass] >= shape.width) continue;
        for (int y = y0[pass]; y < shape.height; y += dy[pass]) put_scanline(raw, shape.layout, y, x0[pass], dx[pass], shape.width);
    }
    return raw;
}

}  // namespace

std::uint32_t fixture_pixel(PngLayout layout, int x, int y) {
    const unsigned r = channel(x, y, 0), g = channel(x, y, 1), b = channel(x, y, 2), a = channel(x, y, 3);
    switch (layout) {
    case PngLayout::rgb8:
    case PngLayout::rgb16: return argb(0xFF, r, g, b);
    case PngLayout::rgba8: return argb(a, r, g, b);
    case PngLayout::gray1: {
        const unsigned v = g >= 128 ? 0xFF : 0;
        return argb(0xFF, v, v, v);
    }
    case PngLayout::gray8:
    case PngLayout::gray16: return argb(0xFF, g, g, g);
    case PngLayout::gray_alpha8: return argb(a, g, g, g);
    case PngLayout::palette8_with_alpha: {
        const unsigned index = static_cast<unsigned>(x + y) % 4;
        return argb(index == 0 ? 0 : 0xFF, index * 60, 255 - index * 60, index * 20);
    }
    }
    return 0;
}

std::vector<std::uint8_t> make_png(const PngShape& shape) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    const Format format = format_of(shape.layout);
    std::vector<std::uint8_t> header;
    put_be32(header, static_cast<std::uint32_t>(shape.width));
    put_be32(header, static_cast<std::uint32_t>(shape.height));
    header.insert(header.end(), {format.depth, format.color_type, 0, 0, static_cast<std::uint8_t>(shape.interlaced ? 1 : 0)});
    put_chunk(png, "IHDR", header);
    if (shape.with_text_chunk) put_chunk(png, "tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'f', 'i', 'x'});
    if (shape.layout == PngLayout::palette8_with_alpha) {
        std::vector<std::uint8_t> palette, alpha;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t c = fixture_pixel(shape.layout, i, 0);
            palette.insert(palette.end(), {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                           static_cast<std::uint8_t>(c)});
            alpha.push_back(static_cast<std::uint8_t>(c >> 24));
        }
        put_chunk(png, "PLTE", palette);
        put_chunk(png, "tRNS", alpha);
    }
    const std::vector<std::uint8_t> raw = raw_pixel_data(shape);
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packed_size);
    compress(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packed_size);
    put_chunk(png, "IDAT", packed);
    put_chunk(png, "IEND", {});
    return png;
}

std::size_t find_chunk(const std::vector<std::uint8_t>& png, const char type[4]) {
    std::size_t offset = 8;
    while (offset + 12 <= png.size()) {
        const std::size_t length = (std::size_t{png[offset]} << 24) | (std::size_t{png[offset + 1]} << 16) |
                                   (std::size_t{png[offset + 2]} << 8) | png[offset + 3];
        if (std::equal(type, type + 4, png.begin() + static_cast<std::ptrdiff_t>(offset + 4))) return offset;
        offset += 12 + length;
    }
    return std::string::npos;
}

void fix_chunk_crc(std::vector<std::uint8_t>& png, std::size_t offset) {
    const std::size_t length = (std::size_t{png[offset]} << 24) | (std::size_t{png[offset + 1]} << 16) |
                               (std::size_t{png[offset + 2]} << 8) | png[offset + 3];
    const uLong crc = crc32(0, png.data() + offset + 4, static_cast<uInt>(length + 4));
    for (int i = 0; i < 4; ++i) png[offset + 8 + length + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

std::vector<std::uint8_t> read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace pendolux::test
