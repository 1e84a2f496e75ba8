#include "core/config/config_record.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace pendolux {
namespace {

std::uint64_t read_le(const ConfigImage& image, std::size_t offset, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | image[offset + i];
    return value;
}

ConfigRecord sample_record() {
    ConfigRecord record;
    record.text_color = {100, -1, 300};
    record.result_color = {0, 140, 200};
    set_skin_path(record, "/home/anna/pendolux/tmp.dat");
    record.diagonal = 21.6;
    record.diagonal_in_inches = 1;
    record.aspect_x = 16;
    record.aspect_y = -56;
    record.cm_per_px_x = 0.028266610134;
    record.cm_per_px_y = 0.028125;
    record.window_x = -20;
    record.window_y = 633;
    record.keystrokes = 71648;
    record.clicks = 1259;
    record.distance = 2147483647;
    set_field_text(record.reset_stamp.data(), reset_stamp_capacity, "24.12.2009 um 08:05:09");
    record.always_on_top = 1;
    record.autostart = 0;
    record.logging = 2;
    return record;
}

TEST(ConfigRecord, PacksEveryFieldAtItsOffsetLittleEndian) {
    const ConfigImage image = pack_config(sample_record());
    struct Expect {
        std::size_t offset;
        int size;
        std::uint64_t value;
    } const table[] = {
        {0, 2, 100},      {2, 2, 0xFFFF},   {4, 2, 300},          {6, 2, 0},        {8, 2, 140},
        {10, 2, 200},     {267, 8, std::bit_cast<std::uint64_t>(21.6)},              {275, 1, 1},
        {276, 1, 16},     {277, 1, 0xC8},   {278, 8, std::bit_cast<std::uint64_t>(0.028266610134)},
        {286, 8, std::bit_cast<std::uint64_t>(0.028125)},                             {294, 4, 0xFFFFFFEC},
        {298, 4, 633},    {302, 4, 71648},  {306, 4, 1259},       {310, 4, 0x7FFFFFFF},
        {338, 1, 1},      {339, 1, 0},      {340, 1, 2},
    };
    for (const Expect& e : table) EXPECT_EQ(read_le(image, e.offset, e.size), e.value) << "offset " << e.offset;
    EXPECT_EQ(std::memcmp(&image[12], "/home/anna/pendolux/tmp.dat\0", 28), 0);
    EXPECT_EQ(std::memcmp(&image[314], "24.12.2009 um 08:05:09\0\0", 24), 0);
}

TEST(ConfigRecord, RoundTripsThroughTheImage) {
    const ConfigImage image = pack_config(sample_record());
    ConfigRecord back;
    unpack_config(image.data(), image.size(), back);
    EXPECT_EQ(pack_config(back), image);
}

TEST(ConfigRecord, ShortImageFillsOnlyItsLengthAndLeavesTheRestZero) {
    const ConfigImage full = pack_config(sample_record());
    ConfigRecord record = sample_record();
    unpack_config(full.data(), 100, record);
    const ConfigImage back = pack_config(record);
    for (std::size_t i = 0; i < config_record_size; ++i) {
        EXPECT_EQ(back[i], i < 100 ? full[i] : 0) << "byte " << i;
    }
}

TEST(ConfigRecord, FirstStartDefaults) {
    struct Case {
        int width, height, x, y;
    } const cases[] = {{1366, 768, 633, 334}, {1365, 768, 632, 334}, {1920, 1080, 910, 490}};
    for (const Case& c : cases) {
        ConfigRecord record;
        apply_first_start_defaults(record, c.width, c.height);
        EXPECT_EQ(record.window_x, c.x);
        EXPECT_EQ(record.window_y, c.y);
        EXPECT_EQ(record.always_on_top, 1);
        EXPECT_EQ(record.diagonal_in_inches, 1);
        EXPECT_EQ(record.text_color, (ColorTriple{100, 100, 100}));
        EXPECT_EQ(record.result_color, (ColorTriple{0, 140, 200}));
        EXPECT_EQ(record.logging, 0);  // the first-start reset switches it on
        EXPECT_EQ(skin_path_text(record), "");
    }
}

TEST(ConfigRecord, SkinPathOf255BytesHasNoTerminatorAndLongerPathsAreCut) {
    ConfigRecord record;
    const std::string exact(255, 'p');
    set_skin_path(record, exact);
    EXPECT_EQ(skin_path_text(record), exact);
    const ConfigImage image = pack_config(record);
    EXPECT_EQ(image[12 + 254], 'p');
    EXPECT_EQ(image[267], 0);  // the diagonal follows directly

    set_skin_path(record, exact + "overflow");
    EXPECT_EQ(skin_path_text(record), exact);
    set_skin_path(record, "short");
    EXPECT_EQ(skin_path_text(record), "short");
    EXPECT_EQ(record.skin_path[5], 0);
    EXPECT_EQ(record.skin_path[254], 0);
}

TEST(ConfigRecord, ColourValueIsUnmasked) {
    EXPECT_EQ(color_value({0, 140, 200}), 0 + 140 * 256 + 200 * 65536);
    EXPECT_EQ(color_value({-1, 0, 0}), -1);
    EXPECT_EQ(color_value({300, 0, 0}), 300);
}

}  // namespace
}  // namespace pendolux
