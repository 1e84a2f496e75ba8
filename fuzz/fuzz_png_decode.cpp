// Any bytes through the libpng decoder: never a crash, never a picture beyond
// the size limits, and pixel storage that matches the announced size.
#include <cstdint>
#include <cstdlib>

#include "core/skins/png_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pendolux;
    const auto picture = decode_png({data, size});
    if (picture) {
        if (picture->width <= 0 || picture->height <= 0 || picture->width > max_picture_side ||
            picture->height > max_picture_side ||
            picture->pixels.size() != static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height))
            std::abort();
    }
    return 0;
}
