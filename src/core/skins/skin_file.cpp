#include "core/skins/skin_file.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <system_error>

#include "core/measure/rounding.h"

namespace pendolux {
namespace {

constexpr std::size_t io_buffer_size = 4096;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Only plain files are opened for reading: a FIFO or device named like a skin
// or picture would otherwise block the dialog or never end.
File open_for_reading(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return nullptr;
    File file(std::fopen(path.c_str(), "rb"));
    if (file) std::setvbuf(file.get(), nullptr, _IOFBF, io_buffer_size);
    return file;
}

// An existing FIFO or device in place of the file would block or swallow the write.
File create_for_writing(const std::string& path) {
    std::error_code error;
    if (path.empty()) return nullptr;
    if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error)) return nullptr;
    File file(std::fopen(path.c_str(), "wb"));
    if (file) std::setvbuf(file.get(), nullptr, _IOFBF, io_buffer_size);
    return file;
}

// Reads up to size bytes; whatever the file does not hold reads as 0.
void read_or_zero(std::FILE* file, std::uint8_t* out, std::size_t size) {
    const std::size_t got = file != nullptr ? std::fread(out, 1, size, file) : 0;
    std::fill(out + got, out + size, std::uint8_t{0});
}

// Copies count bytes from one file to the other; reads past the end of the
// source yield 0. A missing target swallows the bytes.
void copy_bytes(std::FILE* from, std::FILE* to, std::int64_t count) {
    std::uint8_t buffer[io_buffer_size];
    while (count > 0) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::int64_t>(count, io_buffer_size));
        read_or_zero(from, buffer, chunk);
        if (to != nullptr && std::fwrite(buffer, 1, chunk, to) != chunk) return;
        count -= static_cast<std::int64_t>(chunk);
    }
}

void put_word(std::uint8_t* out, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    out[0] = static_cast<std::uint8_t>(bits);
    out[1] = static_cast<std::uint8_t>(bits >> 8);
}

std::int16_t get_word(const std::uint8_t* in) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(in[0] | (in[1] << 8)));
}

bool same_file(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

std::optional<SkinHeader> read_header_from(std::FILE* file) {
    std::array<std::uint8_t, skin_header_size> bytes{};
    read_or_zero(file, bytes.data(), bytes.size());
    return decode_skin_header(bytes);
}

}  // namespace

std::int32_t skin_picture_size_from_double(double size) {
    return round_to_int32_or(size, std::numeric_limits<std::int32_t>::min());
}

SkinHeader decode_skin_header(std::span<const std::uint8_t> bytes) {
    std::array<std::uint8_t, skin_header_size> full{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), full.size()), full.begin());
    std::uint64_t size_bits = 0;
    for (int i = 7; i >= 0; --i) size_bits = (size_bits << 8) | full[static_cast<std::size_t>(i)];
    SkinHeader header;
    header.picture_size = skin_picture_size_from_double(std::bit_cast<double>(size_bits));
    header.text_color = {get_word(&full[8]), get_word(&full[10]), get_word(&full[12])};
    header.result_color = {get_word(&full[14]), get_word(&full[16]), get_word(&full[18])};
    return header;
}

std::array<std::uint8_t, skin_header_size> encode_skin_header(double picture_size, ColorTriple text,
                                                              ColorTriple result) {
    std::array<std::uint8_t, skin_header_size> bytes{};
    const auto size_bits = std::bit_cast<std::uint64_t>(picture_size);
    for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(size_bits >> (8 * i));
    put_word(&bytes[8], text.red);
    put_word(&bytes[10], text.green);
    put_word(&bytes[12], text.blue);
    put_word(&bytes[14], result.red);
    put_word(&bytes[16], result.green);
    put_word(&bytes[18], result.blue);
    return bytes;
}

std::int64_t scratch_bytes_for(std::int32_t picture_size) {
    if (picture_size < 0) return 0;
    return std::min<std::int64_t>(std::int64_t{picture_size} + 1, max_scratch_file_size);
}

bool write_skin_file(const std::string& skin_path, const std::string& picture_path, ColorTriple text,
                     ColorTriple result) {
    File picture = open_for_reading(picture_path);
    if (!picture) return false;
    // Creating the skin file over the picture itself would empty the picture.
    if (same_file(skin_path, picture_path)) return false;
    File skin = create_for_writing(skin_path);
    if (!skin) return false;

    std::error_code error;
    const auto file_size = std::filesystem::file_size(picture_path, error);
    const std::uint64_t picture_size = error ? 0 : file_size;

    const auto header = encode_skin_header(static_cast<double>(picture_size), text, result);
    std::fwrite(header.data(), 1, header.size(), skin.get());
    // The picture plus the pad byte: the read after the last picture byte yields 0.
    copy_bytes(picture.get(), skin.get(), static_cast<std::int64_t>(picture_size) + 1);

    const bool written = std::fflush(skin.get()) == 0 && std::ferror(skin.get()) == 0;
    const bool closed = std::fclose(skin.release()) == 0;
    picture.reset();
    return written && closed;
}

std::optional<SkinHeader> read_skin_header(const std::string& skin_path) {
    File skin = open_for_reading(skin_path);
    if (!skin) return std::nullopt;
    return read_header_from(skin.get());
}

std::optional<SkinHeader> unpack_skin_file(const std::string& skin_path, const std::string& scratch_path) {
    File skin = open_for_reading(skin_path);
    if (!skin) return std::nullopt;
    // Unpacking a file onto itself would read what was just emptied.
    if (same_file(skin_path, scratch_path)) return read_header_from(skin.get());
    File scratch = create_for_writing(scratch_path);
    const std::optional<SkinHeader> header = read_header_from(skin.get());
    copy_bytes(skin.get(), scratch.get(), scratch_bytes_for(header->picture_size));
    skin.reset();
    scratch.reset();
    return header;
}

}  // namespace pendolux
