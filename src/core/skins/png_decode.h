#pragma once
// PNG decoding through libpng, from memory. Never longjmps across C++ objects;
// refuses pictures larger than max_png_side on either side.
#include <cstdint>
#include <optional>
#include <span>

#include "core/skins/picture.h"

namespace pendolux {

inline constexpr std::uint32_t max_png_side = 4096;

bool looks_like_png(std::span<const std::uint8_t> bytes);
std::optional<Picture> decode_png(std::span<const std::uint8_t> bytes);

}  // namespace pendolux
