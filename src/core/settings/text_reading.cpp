#include "core/settings/text_reading.h"

#include <charconv>
#include <cmath>
#include <string>

namespace pendolux {
namespace {

bool is_decimal(char c) { return c >= '0' && c <= '9'; }

int digit_value(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// White space as the C locale's isspace() knows it.
bool is_c_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::string_view colon_field(std::string_view text, int field) {
    for (int i = 1; i < field; ++i) {
        const auto colon = text.find(':');
        if (colon == std::string_view::npos) return {};
        text.remove_prefix(colon + 1);
    }
    return text.substr(0, text.find(':'));
}

std::int8_t read_integer_byte(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') base = 16, ++i;
    else if (i < text.size() && text[i] == '%') base = 2, ++i;
    // Unsigned arithmetic wraps like the 64-bit register it stands for.
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digit_value(text[i], base);
        if (digit < 0) break;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    if (negative) value = 0 - value;
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value & 0xFF));
}

double read_real(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_c_space(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // Find the extent of the number first, so that from_chars (always '.')
    // sees only the grammar we accept.
    const std::size_t start = i;
    std::size_t mantissa_digits = 0;
    bool nonzero_seen = false;
    long long magnitude = 0;  // decimal exponent of the first non-zero digit, before the exponent part
    bool before_point = true;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (is_decimal(c)) {
            ++mantissa_digits;
            if (!nonzero_seen && c != '0') nonzero_seen = true;
            if (nonzero_seen && before_point) ++magnitude;
            if (!nonzero_seen && !before_point) --magnitude;
        } else if (c == '.' && before_point) {
            before_point = false;
        } else {
            break;
        }
    }
    if (mantissa_digits == 0) return negative ? -0.0 : 0.0;
    std::size_t end = i;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponent_negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent_negative = text[j++] == '-';
        if (j < text.size() && is_decimal(text[j])) {
            for (; j < text.size() && is_decimal(text[j]); ++j)
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
            if (exponent_negative) exponent = -exponent;
            end = j;
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large gives HUGE_VAL and too small gives zero, as strtod does.
        value = (nonzero_seen && magnitude + exponent > 0) ? HUGE_VAL : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string diagonal_text(double diagonal) {
    // to_chars never uses the locale's decimal separator; the widest
    // fixed form of a double with ten decimals is about 320 characters.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, diagonal, std::chars_format::fixed, 10);
    const std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    return text.substr(0, 4);
}

std::string aspect_text(std::int8_t aspect_x, std::int8_t aspect_y) {
    return std::to_string(aspect_x) + ":" + std::to_string(aspect_y);
}

}  // namespace pendolux
