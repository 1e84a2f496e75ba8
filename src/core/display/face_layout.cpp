#include "core/display/face_layout.h"

#include <cstdint>

namespace pendolux::face_layout {

int font_pixel_height(int points, int logical_dpi) {
    // MulDiv rounds the exact quotient to the nearest integer, halves away from zero.
    const std::int64_t product = static_cast<std::int64_t>(points) * logical_dpi;
    const std::int64_t magnitude = ((product < 0 ? -product : product) + 36) / 72;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

bool meter_shape_contains(int x, int y) {
    if (x < 0 || y < 0 || x >= face_size || y >= face_size) return false;
    constexpr double radius = 20.0;
    // Pixel centres tested against the corner ellipses.
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double cx = px < radius ? radius : (px > face_size - radius ? face_size - radius : px);
    const double cy = py < radius ? radius : (py > face_size - radius ? face_size - radius : py);
    const double dx = px - cx;
    const double dy = py - cy;
    return dx * dx + dy * dy <= radius * radius;
}

}  // namespace pendolux::face_layout
