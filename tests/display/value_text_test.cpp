#include "core/display/value_text.h"

#include <gtest/gtest.h>

namespace pendolux {
namespace {

TEST(ValueText, DistanceTexts) {
    struct Case {
        std::int32_t centimetres;
        const char* shown;  // as the face draws it, blank prefix included
    } const cases[] = {
        {0, "        0 cm"},          {99, "       99 cm"},        {100, "      1.00 m"},
        {512, "      5.12 m"},        {99999, "    999.99 m"},     {100000, "    1.000 km"},
        {123456789, " 1234.567 km"},  {2147483647, "21474.836 km"}, {-5, "            "},
        {-2147483647 - 1, "            "},
    };
    for (const Case& c : cases) EXPECT_EQ(distance_value_text(c.centimetres), c.shown) << c.centimetres;
}

TEST(ValueText, CountTexts) {
    struct Case {
        std::int32_t count;
        const char* shown;
    } const cases[] = {
        {0, "           0"},           {-1, "          -1"},          {1259, "        1259"},
        {999999999, "   999999999"},   {1000000000, "   1000000000"}, {2147483647, "   2147483647"},
        {-2147483647 - 1, " -2147483648"},
    };
    for (const Case& c : cases) EXPECT_EQ(count_value_text(c.count), c.shown) << c.count;
}

TEST(ValueText, PadNeverCuts) {
    EXPECT_EQ(pad_value("abc", 5), "  abc");
    EXPECT_EQ(pad_value("abcdef", 5), "abcdef");
    EXPECT_EQ(pad_value("", 3), "   ");
    EXPECT_EQ(pad_value("abc", -1), "abc");
}

}  // namespace
}  // namespace pendolux
