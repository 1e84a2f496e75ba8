#pragma once
// A decoded picture: 32-bit pixels 0xAARRGGBB (straight alpha), rows top down.
#include <cstdint>
#include <vector>

namespace pendolux {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Pictures wider or higher than this are refused by every decoder: a face is
// 100 x 100, and a lying header must not make us allocate gigabytes.
inline constexpr int max_picture_side = 4096;

}  // namespace pendolux
