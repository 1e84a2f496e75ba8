#include "core/display/face_layout.h"

#include <gtest/gtest.h>

namespace pendolux::face_layout {
namespace {

TEST(FaceLayout, FontHeightsFollowTheLogicalDpi) {
    struct Case {
        int points, dpi, pixels;
    } const cases[] = {{8, 96, 11}, {11, 96, 15}, {8, 120, 13}, {11, 120, 18}, {8, 144, 16}, {11, 72, 11}};
    for (const Case& c : cases) EXPECT_EQ(font_pixel_height(c.points, c.dpi), c.pixels) << c.points << "@" << c.dpi;
}

TEST(FaceLayout, ShapeIsARoundRectangleWith40PixelCornerEllipses) {
    // Inside: centre, edge midpoints, the points where the corner arcs meet the sides.
    for (auto [x, y] : {std::pair{50, 50}, {0, 50}, {99, 50}, {50, 0}, {50, 99}, {20, 0}, {0, 20}, {79, 0}, {99, 79}})
        EXPECT_TRUE(meter_shape_contains(x, y)) << x << "," << y;
    // Outside: the corners, just inside the box but beyond the arcs, and off the tile.
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 99}, {99, 99}, {3, 3}, {96, 96}, {5, 2}, {-1, 50}, {100, 50}})
        EXPECT_FALSE(meter_shape_contains(x, y)) << x << "," << y;
    int outside = 0;
    for (int y = 0; y < face_size; ++y)
        for (int x = 0; x < face_size; ++x) outside += meter_shape_contains(x, y) ? 0 : 1;
    // Four corners of (1 - pi/4) * 20 * 20 pixels each.
    EXPECT_NEAR(outside, 4 * 0.2146 * 400, 20);
}

}  // namespace
}  // namespace pendolux::face_layout
