#pragma once
// PNG decoding through libpng, from memory. Never longjmps across C++ objects;
// refuses pictures larger than max_picture_side on either side. Stops after
// the last row of pixels, so whatever follows the picture is never looked at.
#include <cstdint>
#include <optional>
#include <span>

#include "core/skins/picture.h"

namespace pendolux {

bool looks_like_png(std::span<const std::uint8_t> bytes);
std::optional<Picture> decode_png(std::span<const std::uint8_t> bytes);

}  // namespace pendolux
