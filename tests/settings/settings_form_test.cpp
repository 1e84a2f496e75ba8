// The dialog's rules without a window: filling, the unit switch and "Anwenden".
#include "core/settings/settings_form.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/measure/display_size.h"
#include "platform/fake/fake_platform.h"
#include "support/temp_folder.h"

namespace pendolux {
namespace {

ConfigRecord first_start_record() {
    ConfigRecord record;
    apply_first_start_defaults(record, 1680, 1050);
    record.logging = 1;  // from the first-start reset
    return record;
}

ConfigRecord monitor_record(double diagonal, int in_inches, int aspect_x, int aspect_y) {
    ConfigRecord record = first_start_record();
    record.diagonal = diagonal;
    record.diagonal_in_inches = static_cast<std::int8_t>(in_inches);
    record.aspect_x = static_cast<std::int8_t>(aspect_x);
    record.aspect_y = static_cast<std::int8_t>(aspect_y);
    return record;
}

TEST(FillSettingsForm, ShowsTheRecord) {
    const struct {
        const char* name;
        ConfigRecord record;
        DiagonalUnit unit;
        const char* inch_text;
        const char* centimetre_text;
        const char* aspect_text;
    } cases[] = {
        {"first start", first_start_record(), DiagonalUnit::inches, "0.00", "", "0:0"},
        {"22 inches 16:10", monitor_record(22.0, 1, 16, 10), DiagonalUnit::inches, "22.0", "", "16:10"},
        {"1234.5 inches", monitor_record(1234.5, 1, 4, 3), DiagonalUnit::inches, "1234", "", "4:3"},
        {"54.9 cm", monitor_record(54.9, 0, 16, 9), DiagonalUnit::centimetres, "", "54.9", "16:9"},
        // Any value other than 1 means centimetres.
        {"unit byte 2", monitor_record(7.0, 2, -56, 100), DiagonalUnit::centimetres, "", "7.00", "-56:100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsForm form = fill_settings_form(c.record);
        EXPECT_EQ(form.unit, c.unit);
        EXPECT_EQ(form.inch_box_visible, c.unit == DiagonalUnit::inches);
        EXPECT_EQ(form.unit_label, c.unit == DiagonalUnit::inches ? "Zoll" : "Zentimeter");
        EXPECT_EQ(form.inch_text, c.inch_text);
        EXPECT_EQ(form.centimetre_text, c.centimetre_text);
        EXPECT_EQ(form.aspect_text, c.aspect_text);
    }
    const SettingsForm first = fill_settings_form(first_start_record());
    EXPECT_TRUE(first.always_on_top);
    EXPECT_FALSE(first.autostart);
    EXPECT_TRUE(first.logging);
}

TEST(FillSettingsForm, FlagsAreNonZeroTests) {
    ConfigRecord record;
    record.always_on_top = -1;
    record.autostart = 2;
    record.logging = 0;
    const SettingsForm form = fill_settings_form(record);
    EXPECT_TRUE(form.always_on_top);
    EXPECT_TRUE(form.autostart);
    EXPECT_FALSE(form.logging);
}

TEST(SelectDiagonalUnit, SwitchesBoxAndLabelButKeepsTexts) {
    SettingsForm form = fill_settings_form(monitor_record(22.0, 1, 16, 10));
    form.inch_text = "24";
    select_diagonal_unit(form, DiagonalUnit::centimetres);
    form.centimetre_text = "61";
    EXPECT_FALSE(form.inch_box_visible);
    EXPECT_EQ(form.unit_label, "Zentimeter");
    select_diagonal_unit(form, DiagonalUnit::inches);
    EXPECT_TRUE(form.inch_box_visible);
    EXPECT_EQ(form.unit_label, "Zoll");
    EXPECT_EQ(form.inch_text, "24");
    EXPECT_EQ(form.centimetre_text, "61");
}

TEST(StoreSettings, ReadsTheBoxOfTheSelectedUnit) {
    SettingsForm form;
    form.always_on_top = false;
    form.autostart = true;
    form.logging = false;
    form.inch_text = "22";
    form.centimetre_text = "54.9";
    form.aspect_text = "200:100";
    select_diagonal_unit(form, DiagonalUnit::centimetres);

    ConfigRecord record = first_start_record();
    store_settings(form, record);
    EXPECT_EQ(record.always_on_top, 0);
    EXPECT_EQ(record.autostart, 1);
    EXPECT_EQ(record.logging, 0);
    EXPECT_EQ(record.diagonal_in_inches, 0);
    EXPECT_DOUBLE_EQ(record.diagonal, 54.9);
    EXPECT_EQ(record.aspect_x, -56);
    EXPECT_EQ(record.aspect_y, 100);

    select_diagonal_unit(form, DiagonalUnit::inches);
    form.inch_text = "";
    store_settings(form, record);
    EXPECT_EQ(record.diagonal_in_inches, 1);
    EXPECT_EQ(record.diagonal, 0.0);
}

TEST(StoreSettings, UnchangedFormGivesTheSameRecordBack) {
    for (const ConfigRecord& original :
         {first_start_record(), monitor_record(22.0, 1, 16, 10), monitor_record(54.9, 0, 16, 9)}) {
        ConfigRecord record = original;
        store_settings(fill_settings_form(original), record);
        EXPECT_EQ(pack_config(record), pack_config(original));
    }
    // The shown text is cut to four characters, and that is what is stored.
    ConfigRecord record = monitor_record(1234.5, 1, 4, 3);
    store_settings(fill_settings_form(record), record);
    EXPECT_EQ(record.diagonal, 1234.0);
}

class ApplySettings : public ::testing::Test {
protected:
    void SetUp() override {
        fake_platform::reset();
        fake_platform::set_program_folder(folder.folder());
        set_program_folder(folder.folder());
        set_display_size(1280, 1024);
        config() = first_start_record();
    }
    void TearDown() override { config() = ConfigRecord(); }

    std::vector<std::uint8_t> saved_bytes() const {
        std::ifstream in(folder.file("config.dat"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    test::TempFolder folder;
};

TEST_F(ApplySettings, StoresMeterStateBeforeAutostartAndSave) {
    SettingsForm form = fill_settings_form(config());
    form.always_on_top = false;
    form.autostart = true;
    form.inch_text = "22";
    form.aspect_text = "16:10";

    int topmost_calls = 0;
    apply_settings(form, [&] {
        ++topmost_calls;
        // The meter sees the stored switch; autostart and the save come later.
        EXPECT_EQ(config().always_on_top, 0);
        EXPECT_DOUBLE_EQ(config().diagonal, 22.0);
        EXPECT_FALSE(fake_platform::autostart_enabled());
        EXPECT_FALSE(std::filesystem::exists(folder.file("config.dat")));
    });
    EXPECT_EQ(topmost_calls, 1);
    EXPECT_TRUE(fake_platform::autostart_enabled());
    EXPECT_EQ(fake_platform::autostart_program_file(), folder.folder() + "pendolux");

    const auto bytes = saved_bytes();
    ASSERT_EQ(bytes.size(), config_record_size);
    ConfigRecord saved;
    unpack_config(bytes.data(), bytes.size(), saved);
    EXPECT_EQ(saved.diagonal, 22.0);
    EXPECT_EQ(saved.aspect_x, 16);
    EXPECT_EQ(saved.aspect_y, 10);
    EXPECT_EQ(saved.autostart, 1);
    EXPECT_EQ(saved.always_on_top, 0);
    EXPECT_EQ(pack_config(saved), pack_config(config()));
}

TEST_F(ApplySettings, UntickingAutostartRemovesIt) {
    config().autostart = 1;
    fake_platform::reset();
    fake_platform::set_program_folder(folder.folder());
    platform::set_autostart(true, "/somewhere/pendolux");
    SettingsForm form = fill_settings_form(config());
    form.autostart = false;
    apply_settings(form, {});
    EXPECT_FALSE(fake_platform::autostart_enabled());
    EXPECT_EQ(config().autostart, 0);
}

// Whatever is typed goes to the calibration as it is; none of it may crash
// or reach undefined behaviour on the way (run under the sanitizers).
TEST_F(ApplySettings, AbsurdTextsAreApplied) {
    const struct {
        const char* diagonal;
        const char* aspect;
    } cases[] = {
        {"", "0:0"},         {"1e999", "16:10"}, {"-1e999", "16:10"}, {"1e300", "1:1"},
        {"22", "-128:-128"}, {"0", "16:10"},     {"abc", "abc"},      {"1e-300", "127:127"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.diagonal) + " / " + c.aspect);
        SettingsForm form = fill_settings_form(config());
        form.inch_text = c.diagonal;
        form.aspect_text = c.aspect;
        apply_settings(form, {});
        EXPECT_EQ(saved_bytes().size(), config_record_size);
    }
}

TEST_F(ApplySettings, RecalibratesForTheDisplay) {
    SettingsForm form = fill_settings_form(config());
    form.inch_text = "19";
    form.aspect_text = "4:3";
    apply_settings(form, {});
    // 19 in = 48 cm; 4:3 gives 38.4 x 28.8 cm on 1280 x 1024 pixels.
    EXPECT_NEAR(config().cm_per_px_x, 0.03, 1e-12);
    EXPECT_NEAR(config().cm_per_px_y, 0.028125, 1e-12);
}

}  // namespace
}  // namespace pendolux
