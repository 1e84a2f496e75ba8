#pragma once
// The skin file: a 20-byte header (picture size as a little-endian double, two
// colour triples as 16-bit words) followed by the embedded picture file and one
// pad byte. Every byte of a skin file is treated as hostile input.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/config/config_record.h"

namespace pendolux {

struct SkinHeader {
    std::int32_t picture_size = 0;
    ColorTriple text_color;
    ColorTriple result_color;
    bool operator==(const SkinHeader&) const = default;
};

constexpr std::size_t skin_header_size = 20;
// No skin file may make the scratch file larger than this; a 100 x 100
// picture needs a few tens of kilobytes.
constexpr std::int64_t max_scratch_file_size = 16 * 1024 * 1024;

// Writes header, picture bytes and the pad byte. False when the picture file
// cannot be opened for reading or the skin file cannot be created (nothing is
// written into the skin file then).
bool write_skin_file(const std::string& skin_path, const std::string& picture_path, ColorTriple text,
                     ColorTriple result);

// The header of a skin file; no result when the file cannot be opened.
std::optional<SkinHeader> read_skin_header(const std::string& skin_path);

// Reads the header and rewrites the scratch file with N + 1 bytes of the
// picture (zeros past the end of the skin file, capped at
// max_scratch_file_size). No result, scratch file untouched, when the skin file
// cannot be opened.
std::optional<SkinHeader> unpack_skin_file(const std::string& skin_path, const std::string& scratch_path);

// The pieces, for tests and fuzzing.
// Picture size stored as a double -> int32: nearest, ties to even; NaN or out
// of range gives INT32_MIN.
std::int32_t skin_picture_size_from_double(double size);
// Decodes up to 20 header bytes; missing bytes count as 0.
SkinHeader decode_skin_header(std::span<const std::uint8_t> bytes);
std::array<std::uint8_t, skin_header_size> encode_skin_header(double picture_size, ColorTriple text,
                                                              ColorTriple result);
// How many bytes unpacking copies into the scratch file for a given size.
std::int64_t scratch_bytes_for(std::int32_t picture_size);

}  // namespace pendolux
