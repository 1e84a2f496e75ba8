#include "core/measure/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pendolux {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourOthersToTheNearest) {
    struct Case {
        double value;
        double expected;
    };
    const Case cases[] = {
        {22.5, 22.0},   {23.5, 24.0},  {1.5, 2.0},      {4.5, 4.0},     {0.5, 0.0},          {-0.5, -0.0},
        {-1.5, -2.0},   {-2.5, -2.0},  {55.88, 56.0},   {39.116, 39.0}, {0.49999999999999994, 0.0},
        {2.5000001, 3.0}, {-22.51, -23.0}, {1e300, 1e300}, {4503599627370497.0, 4503599627370497.0},
    };
    for (const Case& c : cases) EXPECT_EQ(round_half_even(c.value), c.expected) << c.value;
}

TEST(RoundHalfEven, NonFiniteValuesNeverBecomeIntegers) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(round_half_even(std::nan(""))));
    EXPECT_EQ(round_half_even(inf), inf);
    EXPECT_FALSE(round_to_int32(std::nan("")).has_value());
    EXPECT_FALSE(round_to_int32(inf).has_value());
    EXPECT_FALSE(round_to_int32(-inf).has_value());
}

TEST(RoundToInt32, AcceptsExactlyTheInt32Range) {
    EXPECT_EQ(round_to_int32(2147483647.4), 2147483647);
    EXPECT_EQ(round_to_int32(-2147483648.5), -2147483648);  // half to even stays in range
    EXPECT_FALSE(round_to_int32(2147483647.5).has_value());  // rounds to 2^31
    EXPECT_FALSE(round_to_int32(-2147483649.0).has_value());
    EXPECT_EQ(round_to_int32_or(1e12, -7), -7);
    EXPECT_EQ(round_to_int32_or(-3.5, -7), -4);
}

}  // namespace
}  // namespace pendolux
