#pragma once
// Small picture files for the skin dialog tests: a one-colour PNG of any size,
// written with zlib only, and file helpers.
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace pendolux::test {

inline void append_be32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void append_chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    append_be32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = ::crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    append_be32(out, static_cast<std::uint32_t>(crc));
}

// An 8-bit RGB PNG filled with 0xRRGGBB.
inline std::vector<std::uint8_t> solid_png(int width, int height, std::uint32_t rgb) {
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter type none
        for (int x = 0; x < width; ++x) {
            raw.push_back(static_cast<std::uint8_t>(rgb >> 16));
            raw.push_back(static_cast<std::uint8_t>(rgb >> 8));
            raw.push_back(static_cast<std::uint8_t>(rgb));
        }
    }
    uLongf packed_size = ::compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packed_size);
    ::compress(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packed_size);

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    append_be32(header, static_cast<std::uint32_t>(width));
    append_be32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    append_chunk(png, "IHDR", header);
    append_chunk(png, "IDAT", packed);
    append_chunk(png, "IEND", {});
    return png;
}

inline void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace pendolux::test
