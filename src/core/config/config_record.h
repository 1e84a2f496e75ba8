#pragma once
// The one record of settings and totals and its fixed 341-byte file image.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/shared_int32.h"

namespace pendolux {

// Three signed 16-bit components, 0-255 as the program writes them.
struct ColorTriple {
    std::int16_t red = 0;
    std::int16_t green = 0;
    std::int16_t blue = 0;
    bool operator==(const ColorTriple&) const = default;
};

// As a Windows colour value: red + green * 256 + blue * 65536, unmasked.
std::int32_t color_value(const ColorTriple& color);

constexpr std::size_t skin_path_capacity = 255;
constexpr std::size_t reset_stamp_capacity = 24;

// Native form of the record. Totals are shared with the sampler thread; every
// other field is written and read on the GUI thread only.
struct ConfigRecord {
    ColorTriple text_color;
    ColorTriple result_color;
    std::array<char, skin_path_capacity> skin_path{};
    double diagonal = 0.0;
    std::int8_t diagonal_in_inches = 0;
    std::int8_t aspect_x = 0;
    std::int8_t aspect_y = 0;
    double cm_per_px_x = 0.0;
    double cm_per_px_y = 0.0;
    std::int32_t window_x = 0;
    std::int32_t window_y = 0;
    SharedInt32 keystrokes;
    SharedInt32 clicks;
    SharedInt32 distance;
    std::array<char, reset_stamp_capacity> reset_stamp{};
    std::int8_t always_on_top = 0;
    std::int8_t autostart = 0;
    std::int8_t logging = 0;
};

constexpr std::size_t config_record_size = 341;
using ConfigImage = std::array<std::uint8_t, config_record_size>;

// Field offsets in the file image.
namespace config_offset {
constexpr std::size_t text_color = 0;
constexpr std::size_t result_color = 6;
constexpr std::size_t skin_path = 12;
constexpr std::size_t diagonal = 267;
constexpr std::size_t diagonal_in_inches = 275;
constexpr std::size_t aspect_x = 276;
constexpr std::size_t aspect_y = 277;
constexpr std::size_t cm_per_px_x = 278;
constexpr std::size_t cm_per_px_y = 286;
constexpr std::size_t window_x = 294;
constexpr std::size_t window_y = 298;
constexpr std::size_t keystrokes = 302;
constexpr std::size_t clicks = 306;
constexpr std::size_t distance = 310;
constexpr std::size_t reset_stamp = 314;
constexpr std::size_t always_on_top = 338;
constexpr std::size_t autostart = 339;
constexpr std::size_t logging = 340;
}  // namespace config_offset

// Little-endian packing, independent of the compiler's struct layout.
ConfigImage pack_config(const ConfigRecord& record);
// Fills the record from the first min(size, 341) bytes; the rest becomes zero.
void unpack_config(const std::uint8_t* bytes, std::size_t size, ConfigRecord& record);

// First-start defaults on top of a zeroed record.
void apply_first_start_defaults(ConfigRecord& record, int display_width, int display_height);

// Text held in a fixed byte field: the bytes up to the first zero, at most the field's size.
std::string field_text(const char* field, std::size_t capacity);
// Stores text cut to the field's size, zero-padded; a text that fills the field has no terminator.
void set_field_text(char* field, std::size_t capacity, std::string_view text);

std::string skin_path_text(const ConfigRecord& record);
void set_skin_path(ConfigRecord& record, std::string_view path);
std::string reset_stamp_text(const ConfigRecord& record);

}  // namespace pendolux
