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

}  // namespace pendolux
