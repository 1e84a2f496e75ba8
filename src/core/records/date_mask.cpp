#include "core/records/date_mask.h"

#include <array>
#include <cstdio>

namespace pendolux {
namespace {

struct MaskField {
    std::string_view letters;  // after the '%'
    int platform::LocalTime::*field;
};

// The year first: its letters are not a prefix of any other field's.
constexpr std::array<MaskField, 6> mask_fields = {{
    {"yyyy", &platform::LocalTime::year},
    {"dd", &platform::LocalTime::day},
    {"mm", &platform::LocalTime::month},
    {"hh", &platform::LocalTime::hour},
    {"ii", &platform::LocalTime::minute},
    {"ss", &platform::LocalTime::second},
}};

void append_padded(std::string& text, int value, std::size_t width) {
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%0*d", static_cast<int>(width), value);
    if (length > 0) text.append(digits, static_cast<std::size_t>(length));
}

}  // namespace

std::string format_date_mask(std::string_view mask, const platform::LocalTime& time) {
    std::string text;
    std::size_t at = 0;
    while (at < mask.size()) {
        bool matched = false;
        if (mask[at] == '%') {
            const std::string_view rest = mask.substr(at + 1);
            for (const MaskField& field : mask_fields) {
                if (rest.starts_with(field.letters)) {
                    append_padded(text, time.*field.field, field.letters.size());
                    at += 1 + field.letters.size();
                    matched = true;
                    break;
                }
            }
        }
        if (!matched) text.push_back(mask[at++]);
    }
    return text;
}

}  // namespace pendolux
