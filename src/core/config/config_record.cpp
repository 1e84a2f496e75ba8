#include "core/config/config_record.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace pendolux {
namespace {

void put_u16(ConfigImage& image, std::size_t offset, std::uint16_t value) {
    image[offset] = static_cast<std::uint8_t>(value);
    image[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}
void put_u32(ConfigImage& image, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
void put_u64(ConfigImage& image, std::size_t offset, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
void put_color(ConfigImage& image, std::size_t offset, const ColorTriple& color) {
    put_u16(image, offset, static_cast<std::uint16_t>(color.red));
    put_u16(image, offset + 2, static_cast<std::uint16_t>(color.green));
    put_u16(image, offset + 4, static_cast<std::uint16_t>(color.blue));
}

std::uint64_t get_u(const ConfigImage& image, std::size_t offset, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | image[offset + i];
    return value;
}
std::int16_t get_i16(const ConfigImage& image, std::size_t offset) {
    return static_cast<std::int16_t>(get_u(image, offset, 2));
}
std::int32_t get_i32(const ConfigImage& image, std::size_t offset) {
    return static_cast<std::int32_t>(get_u(image, offset, 4));
}
double get_double(const ConfigImage& image, std::size_t offset) {
    return std::bit_cast<double>(get_u(image, offset, 8));
}
ColorTriple get_color(const ConfigImage& image, std::size_t offset) {
    return {get_i16(image, offset), get_i16(image, offset + 2), get_i16(image, offset + 4)};
}

}  // namespace

std::int32_t color_value(const ColorTriple& color) {
    return static_cast<std::int32_t>(color.red) + static_cast<std::int32_t>(color.green) * 256 +
           static_cast<std::int32_t>(color.blue) * 65536;
}

ConfigImage pack_config(const ConfigRecord& record) {
    ConfigImage image{};
    put_color(image, config_offset::text_color, record.text_color);
    put_color(image, config_offset::result_color, record.result_color);
    std::memcpy(&image[config_offset::skin_path], record.skin_path.data(), skin_path_capacity);
    put_u64(image, config_offset::diagonal, std::bit_cast<std::uint64_t>(record.diagonal));
    image[config_offset::diagonal_in_inches] = static_cast<std::uint8_t>(record.diagonal_in_inches);
    image[config_offset::aspect_x] = static_cast<std::uint8_t>(record.aspect_x);
    image[config_offset::aspect_y] = static_cast<std::uint8_t>(record.aspect_y);
    put_u64(image, config_offset::cm_per_px_x, std::bit_cast<std::uint64_t>(record.cm_per_px_x));
    put_u64(image, config_offset::cm_per_px_y, std::bit_cast<std::uint64_t>(record.cm_per_px_y));
    put_u32(image, config_offset::window_x, static_cast<std::uint32_t>(record.window_x));
    put_u32(image, config_offset::window_y, static_cast<std::uint32_t>(record.window_y));
    put_u32(image, config_offset::keystrokes, static_cast<std::uint32_t>(record.keystrokes.load()));
    put_u32(image, config_offset::clicks, static_cast<std::uint32_t>(record.clicks.load()));
    put_u32(image, config_offset::distance, static_cast<std::uint32_t>(record.distance.load()));
    std::memcpy(&image[config_offset::reset_stamp], record.reset_stamp.data(), reset_stamp_capacity);
    image[config_offset::always_on_top] = static_cast<std::uint8_t>(record.always_on_top);
    image[config_offset::autostart] = static_cast<std::uint8_t>(record.autostart);
    image[config_offset::logging] = static_cast<std::uint8_t>(record.logging);
    return image;
}

void unpack_config(const std::uint8_t* bytes, std::size_t size, ConfigRecord& record) {
    ConfigImage image{};
    if (bytes != nullptr) std::memcpy(image.data(), bytes, std::min(size, config_record_size));
    record.text_color = get_color(image, config_offset::text_color);
    record.result_color = get_color(image, config_offset::result_color);
    std::memcpy(record.skin_path.data(), &image[config_offset::skin_path], skin_path_capacity);
    record.diagonal = get_double(image, config_offset::diagonal);
    record.diagonal_in_inches = static_cast<std::int8_t>(image[config_offset::diagonal_in_inches]);
    record.aspect_x = static_cast<std::int8_t>(image[config_offset::aspect_x]);
    record.aspect_y = static_cast<std::int8_t>(image[config_offset::aspect_y]);
    record.cm_per_px_x = get_double(image, config_offset::cm_per_px_x);
    record.cm_per_px_y = get_double(image, config_offset::cm_per_px_y);
    record.window_x = get_i32(image, config_offset::window_x);
    record.window_y = get_i32(image, config_offset::window_y);
    record.keystrokes = get_i32(image, config_offset::keystrokes);
    record.clicks = get_i32(image, config_offset::clicks);
    record.distance = get_i32(image, config_offset::distance);
    std::memcpy(record.reset_stamp.data(), &image[config_offset::reset_stamp], reset_stamp_capacity);
    record.always_on_top = static_cast<std::int8_t>(image[config_offset::always_on_top]);
    record.autostart = static_cast<std::int8_t>(image[config_offset::autostart]);
    record.logging = static_cast<std::int8_t>(image[config_offset::logging]);
}

void apply_first_start_defaults(ConfigRecord& record, int display_width, int display_height) {
    record.always_on_top = 1;
    record.diagonal_in_inches = 1;
    record.window_x = display_width / 2 - 50;
    record.window_y = display_height / 2 - 50;
    record.text_color = {100, 100, 100};
    record.result_color = {0, 140, 200};
}

std::string field_text(const char* field, std::size_t capacity) {
    const char* end = static_cast<const char*>(std::memchr(field, 0, capacity));
    return std::string(field, end ? static_cast<std::size_t>(end - field) : capacity);
}

void set_field_text(char* field, std::size_t capacity, std::string_view text) {
    const std::size_t length = std::min(text.size(), capacity);
    std::memset(field, 0, capacity);
    std::memcpy(field, text.data(), length);
}

std::string skin_path_text(const ConfigRecord& record) {
    return field_text(record.skin_path.data(), skin_path_capacity);
}

void set_skin_path(ConfigRecord& record, std::string_view path) {
    set_field_text(record.skin_path.data(), skin_path_capacity, path);
}

std::string reset_stamp_text(const ConfigRecord& record) {
    return field_text(record.reset_stamp.data(), reset_stamp_capacity);
}

}  // namespace pendolux
