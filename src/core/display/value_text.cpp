#include "core/display/value_text.h"

namespace pendolux {

std::string format_distance(std::int32_t centimetres) {
    if (centimetres < 0) return {};
    const std::string s = std::to_string(centimetres);
    if (centimetres <= 99) return s + " cm";
    if (centimetres <= 99999) return s.substr(0, s.size() - 2) + "." + s.substr(s.size() - 2) + " m";
    // Kilometres keep three decimals, cut off rather than rounded.
    return s.substr(0, s.size() - 5) + "." + s.substr(s.size() - 5, 3) + " km";
}

std::string pad_value(const std::string& text, int width) {
    const int missing = width - static_cast<int>(text.size());
    return missing > 0 ? std::string(static_cast<std::size_t>(missing), ' ') + text : text;
}

std::string distance_value_text(std::int32_t centimetres) { return pad_value(format_distance(centimetres), 12); }

std::string count_value_text(std::int32_t count) {
    return pad_value(std::to_string(count), count >= 1000000000 ? 13 : 12);
}

}  // namespace pendolux
