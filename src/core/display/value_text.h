#pragma once
// Text form of the three values shown on the meter face.
#include <cstdint>
#include <string>

namespace pendolux {

// Centimetres as "N cm", "N.NN m" or "N.NNN km"; empty for negative values.
std::string format_distance(std::int32_t centimetres);
// Prefixes blanks up to width characters; never cuts.
std::string pad_value(const std::string& text, int width);

// The three texts exactly as the face draws them.
std::string distance_value_text(std::int32_t centimetres);
std::string count_value_text(std::int32_t count);

// The sample texts of the skin previews.
inline constexpr const char* sample_distance_text = "   512.29 cm";
inline constexpr const char* sample_clicks_text = "        1259";
inline constexpr const char* sample_keystrokes_text = "       71648";

}  // namespace pendolux
