// How typed texts become record values, and how the diagonal is shown.
#include "core/settings/text_reading.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <clocale>
#include <cstdlib>
#include <cmath>
#include <string>

#include "support/temp_folder.h"

namespace pendolux {
namespace {

struct AspectCase {
    std::string text;
    int x;
    int y;
};

TEST(AspectText, FieldsAreReadAsSignedBytes) {
    const AspectCase cases[] = {
        {"16:10", 16, 10},
        {"21:9", 21, 9},
        {"16", 16, 0},
        {"16/10", 16, 0},
        {"", 0, 0},
        {"  4:  3", 4, 3},
        {"\t4:\t3", 4, 3},
        {"200:100", -56, 100},
        {"300:-1", 44, -1},
        {"16x:9y", 16, 9},
        {"16 :10", 16, 10},
        {":9", 0, 9},
        {"16:10:4", 16, 10},
        {"abc:def", 0, 0},
        {"$10:%101", 16, 5},
        {"-$FF:$ff", 1, -1},
        {"+ 5:- 5", 0, 0},
        {"$:%", 0, 0},
        {"%102:$1g", 2, 1},
        {"99999999999999999999999:1", -1, 1},  // 10^23 - 1 overflows 64 bits; the low byte is 0xFF
        {std::string(300, '1') + ":" + std::string(300, '9'), -57, -1},
        {"\xD9\xA1\xD9\xA6:\xD9\xA1\xD9\xA0", 0, 0},  // Arabic-Indic digits are not digits here
        {"\xEF\xBC\x91\xEF\xBC\x96:10", 0, 10},       // nor are full-width ones
        {"1\xFC:9", 1, 9},
    };
    for (const AspectCase& c : cases) {
        SCOPED_TRACE("aspect text \"" + c.text + "\"");
        EXPECT_EQ(read_integer_byte(colon_field(c.text, 1)), c.x);
        EXPECT_EQ(read_integer_byte(colon_field(c.text, 2)), c.y);
    }
}

struct DiagonalCase {
    std::string text;
    double value;
};

const DiagonalCase diagonal_cases[] = {
    {"22", 22.0},
    {"21.6", 21.6},
    {"21,6", 21.0},
    {"21.6 Zoll", 21.6},
    {"Zoll", 0.0},
    {"", 0.0},
    {"  22", 22.0},
    {"\t\n 15.4", 15.4},
    {"-7.5", -7.5},
    {"+15.4", 15.4},
    {".5", 0.5},
    {"5.", 5.0},
    {".", 0.0},
    {"1e2", 100.0},
    {"1E+2cm", 100.0},
    {"1e", 1.0},
    {"1e-", 1.0},
    {"2.5e-1", 0.25},
    {"inf", 0.0},
    {"nan", 0.0},
    {"0x10", 0.0},
    {"1e999", HUGE_VAL},
    {"-1e999", -HUGE_VAL},
    {"1e-999", 0.0},
    {"0e999999999999999999999", 0.0},
    {std::string(300, '9'), 1e300},
    {"\xEF\xBC\x92\xEF\xBC\x92", 0.0},  // full-width digits
    {"22\xE2\x80\xAF" "5", 22.0},
};

TEST(DiagonalText, IsReadInTheCLocale) {
    for (const DiagonalCase& c : diagonal_cases) {
        SCOPED_TRACE("diagonal text \"" + c.text + "\"");
        EXPECT_DOUBLE_EQ(read_real(c.text), c.value);
    }
}

// A German locale makes the comma the decimal separator of strtod and printf;
// what is typed and shown must not change with it.
TEST(DiagonalText, IgnoresAGermanLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    test::TempFolder compiled;
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        // Not installed: compile it into a folder of our own when the sources are there.
        const std::string command = "localedef -i de_DE -f UTF-8 " + compiled.file("de_DE.UTF-8") + " >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) ::setenv("LOCPATH", compiled.path().c_str(), 1);
    }
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale available";
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
    for (const DiagonalCase& c : diagonal_cases) {
        SCOPED_TRACE("diagonal text \"" + c.text + "\"");
        EXPECT_DOUBLE_EQ(read_real(c.text), c.value);
    }
    EXPECT_EQ(diagonal_text(21.6), "21.6");
    EXPECT_EQ(diagonal_text(7.0), "7.00");
    std::setlocale(LC_ALL, previous.c_str());
    ::unsetenv("LOCPATH");
}

TEST(DiagonalText, IsTenDecimalsCutToFourCharacters) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {22.0, "22.0"}, {15.4, "15.4"}, {21.6, "21.6"},   {54.9, "54.9"},  {7.0, "7.00"},
        {0.0, "0.00"},  {100.0, "100."}, {1234.5, "1234"}, {-1.5, "-1.5"}, {9.99999999999, "10.0"},
        {1e300, "1000"}, {0.00001, "0.00"}, {HUGE_VAL, "inf"}, {std::nan(""), "nan"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(diagonal_text(c.value), c.text);
    }
}

TEST(AspectText, IsSignedDecimal) {
    EXPECT_EQ(aspect_text(16, 10), "16:10");
    EXPECT_EQ(aspect_text(0, 0), "0:0");
    EXPECT_EQ(aspect_text(-56, 127), "-56:127");
    EXPECT_EQ(aspect_text(-128, 4), "-128:4");
}

}  // namespace
}  // namespace pendolux
