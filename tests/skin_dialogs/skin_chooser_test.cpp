// The rules of "Skin laden": the list, selections, colours, reset and apply.
#include "core/skins/skin_chooser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/skins/png_decode.h"
#include "core/skins/skin_file.h"
#include "core/skins/skins_folder.h"
#include "skin_dialogs/solid_png.h"
#include "support/temp_folder.h"

namespace pendolux {
namespace {

constexpr ColorTriple red_text{200, 10, 20};
constexpr ColorTriple blue_result{5, 6, 250};

class SkinChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_program_folder(temp_.folder());
        config() = ConfigRecord{};
        set_skin_path(config(), "untouched");
    }

    std::string skins() const { return temp_.file("skins"); }

    // A skin file in the skins folder whose picture is the given file content.
    void add_skin(const std::string& file_name, const std::vector<std::uint8_t>& picture, ColorTriple text,
                  ColorTriple result) {
        std::filesystem::create_directories(skins());
        const std::string picture_path = temp_.file("picture.tmp");
        test::write_file(picture_path, picture);
        ASSERT_TRUE(write_skin_file(skins() + "/" + file_name, picture_path, text, result));
        std::filesystem::remove(picture_path);
    }

    // Decodes as the front end does (PNG is enough here) and remembers what was asked for.
    LoadDialogPicture loader() {
        return [this](const PictureSource& source) {
            loads_.push_back(source.builtin ? std::string("<builtin>") : source.path);
            if (source.builtin) return true;
            const auto bytes = test::read_file(source.path);
            return decode_png(bytes).has_value();
        };
    }

    test::TempFolder temp_;
    std::vector<std::string> loads_;
    SkinChooserState state_;
};

TEST_F(SkinChooserTest, MissingSkinsFolderIsCreatedAndOnlyStandardIsListed) {
    EXPECT_EQ(skin_chooser_entries(), std::vector<std::string>{"Standard"});
    EXPECT_TRUE(std::filesystem::is_directory(skins()));
}

TEST_F(SkinChooserTest, ListsEverySkinFileByNameWithoutItsExtension) {
    const auto png = test::solid_png(100, 100, 0xFF0000);
    for (const char* name : {"Blue.pxk", ".pxk", "Standard.pxk", "Upper.PXK", "notes.txt", "Blue.pxk.bak"})
        add_skin(name, png, red_text, blue_result);

    auto entries = skin_chooser_entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front(), "Standard");
    std::sort(entries.begin() + 1, entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"Standard", "", "Blue", "Standard"}));
}

TEST_F(SkinChooserTest, ListIsInDirectoryOrder) {
    const auto png = test::solid_png(100, 100, 0xFF0000);
    for (const char* name : {"c.pxk", "a.pxk", "b.pxk", "d.pxk", "e.pxk"}) add_skin(name, png, red_text, blue_result);
    std::vector<std::string> in_directory_order{"Standard"};
    for (const auto& entry : std::filesystem::directory_iterator(skins()))
        in_directory_order.push_back(entry.path().stem().string());
    EXPECT_EQ(skin_chooser_entries(), in_directory_order);
}

TEST_F(SkinChooserTest, EnsureSkinsFolderCreatesOneLevelAndKeepsAnExistingFolder) {
    ensure_skins_folder();
    EXPECT_TRUE(std::filesystem::is_directory(skins()));
    add_skin("Keep.pxk", test::solid_png(1, 1, 0), red_text, blue_result);
    ensure_skins_folder();
    EXPECT_TRUE(std::filesystem::exists(skins() + "/Keep.pxk"));

    set_program_folder(temp_.file("no/such/folder"));
    ensure_skins_folder();
    EXPECT_FALSE(std::filesystem::exists(temp_.file("no")));
}

TEST_F(SkinChooserTest, StandardSelectsTheBuiltInSkinEvenBesideAStandardSkinFile) {
    add_skin("Standard.pxk", test::solid_png(100, 100, 0xFF0000), red_text, blue_result);
    chooser_select(state_, "Standard", loader());
    EXPECT_EQ(state_.selected_skin, "default");
    EXPECT_EQ(state_.scratch_path, "");
    EXPECT_EQ(state_.colors, builtin_skin_colors);
    EXPECT_TRUE(state_.has_picture);
    EXPECT_EQ(loads_, std::vector<std::string>{"<builtin>"});
    EXPECT_FALSE(std::filesystem::exists(temp_.file("tmp.dat")));
}

TEST_F(SkinChooserTest, SkinFileSelectionUnpacksIntoTheScratchFile) {
    const auto png = test::solid_png(100, 100, 0x00FF00);
    add_skin("Green.pxk", png, red_text, blue_result);
    chooser_select(state_, "Green", loader());

    EXPECT_EQ(state_.selected_skin, temp_.file("skins/Green.pxk"));
    EXPECT_EQ(state_.scratch_path, temp_.file("tmp.dat"));
    EXPECT_EQ(state_.colors, (WorkingColors{red_text, blue_result}));
    EXPECT_TRUE(state_.has_picture);
    EXPECT_EQ(loads_, std::vector<std::string>{temp_.file("tmp.dat")});
    auto expected = png;
    expected.push_back(0);  // the pad byte comes along
    EXPECT_EQ(test::read_file(temp_.file("tmp.dat")), expected);
}

TEST_F(SkinChooserTest, AFileNamedOnlyDotPxkCanBeSelected) {
    add_skin(".pxk", test::solid_png(100, 100, 0x0000FF), red_text, blue_result);
    chooser_select(state_, "", loader());
    EXPECT_EQ(state_.selected_skin, temp_.file("skins/.pxk"));
    EXPECT_TRUE(state_.has_picture);
}

TEST_F(SkinChooserTest, StandardIsComparedCaseSensitively) {
    add_skin("standard.pxk", test::solid_png(100, 100, 0x0000FF), red_text, blue_result);
    chooser_select(state_, "standard", loader());
    EXPECT_EQ(state_.selected_skin, temp_.file("skins/standard.pxk"));
    EXPECT_EQ(state_.colors.text, red_text);
}

TEST_F(SkinChooserTest, UnreadableSkinFileChangesOnlyTheSelection) {
    chooser_select(state_, "Standard", loader());
    chooser_select(state_, "Vanished", loader());
    EXPECT_EQ(state_.selected_skin, temp_.file("skins/Vanished.pxk"));
    EXPECT_EQ(state_.scratch_path, temp_.file("tmp.dat"));
    EXPECT_EQ(state_.colors, builtin_skin_colors);
    EXPECT_TRUE(state_.has_picture);
    EXPECT_EQ(loads_.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(temp_.file("tmp.dat")));
}

TEST_F(SkinChooserTest, UndecodablePictureLeavesNoDialogPictureAndRefusesEverything) {
    add_skin("Broken.pxk", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'}, red_text, blue_result);
    chooser_select(state_, "Standard", loader());
    chooser_select(state_, "Broken", loader());

    EXPECT_FALSE(state_.has_picture);
    EXPECT_EQ(state_.colors, (WorkingColors{red_text, blue_result}));  // the colours are taken all the same
    EXPECT_FALSE(chooser_color_preset(state_, ColorTarget::text));
    EXPECT_FALSE(chooser_color_preset(state_, ColorTarget::result));
    EXPECT_FALSE(chooser_reset(state_));
    EXPECT_FALSE(chooser_apply(state_, config()));
    EXPECT_EQ(skin_path_text(config()), "untouched");
}

TEST_F(SkinChooserTest, ColourButtonsWorkOnTheChosenColourOnly) {
    EXPECT_FALSE(chooser_color_preset(state_, ColorTarget::text));  // nothing selected yet

    chooser_select(state_, "Standard", loader());
    EXPECT_EQ(chooser_color_preset(state_, ColorTarget::text), 0x646464u);
    EXPECT_EQ(chooser_color_preset(state_, ColorTarget::result), 0xC88C00u);

    chooser_color_picked(state_, ColorTarget::result, 0x00332211);
    EXPECT_EQ(state_.colors.result, (ColorTriple{0x11, 0x22, 0x33}));
    EXPECT_EQ(state_.colors.text, builtin_skin_colors.text);
}

TEST_F(SkinChooserTest, ColourWordsFFFFArePassedOnUnclamped) {
    add_skin("Odd.pxk", test::solid_png(100, 100, 0), {-1, 0, 0}, {0, 0, -1});
    chooser_select(state_, "Odd", loader());
    EXPECT_EQ(state_.colors, (WorkingColors{{-1, 0, 0}, {0, 0, -1}}));
    // Packed without masking: -1 + 0 + 0 and -1 * 65536.
    EXPECT_EQ(chooser_color_preset(state_, ColorTarget::text), 0xFFFFFFFFu);
    EXPECT_EQ(chooser_color_preset(state_, ColorTarget::result), 0xFFFF0000u);
    ASSERT_TRUE(chooser_apply(state_, config()));
    EXPECT_EQ(config().text_color, (ColorTriple{-1, 0, 0}));
}

TEST_F(SkinChooserTest, ResetRestoresTheColoursOfTheSelectedSkin) {
    add_skin("Mine.pxk", test::solid_png(100, 100, 0), red_text, blue_result);
    struct Case {
        const char* entry;
        WorkingColors restored;
    } cases[] = {{"Standard", builtin_skin_colors}, {"Mine", {red_text, blue_result}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        chooser_select(state_, c.entry, loader());
        chooser_color_picked(state_, ColorTarget::text, 0x010203);
        chooser_color_picked(state_, ColorTarget::result, 0x040506);
        EXPECT_TRUE(chooser_reset(state_));
        EXPECT_EQ(state_.colors, c.restored);
        EXPECT_TRUE(state_.has_picture);
    }
}

TEST_F(SkinChooserTest, ResetKeepsTheColoursWhenTheSkinFileHasGone) {
    add_skin("Gone.pxk", test::solid_png(100, 100, 0), red_text, blue_result);
    chooser_select(state_, "Gone", loader());
    chooser_color_picked(state_, ColorTarget::text, 0x010203);
    std::filesystem::remove(skins() + "/Gone.pxk");
    EXPECT_TRUE(chooser_reset(state_));
    EXPECT_EQ(state_.colors.text, (ColorTriple{3, 2, 1}));
}

TEST_F(SkinChooserTest, ApplyingASkinFileStoresColoursAndTheScratchPath) {
    add_skin("Mine.pxk", test::solid_png(100, 100, 0), red_text, blue_result);
    chooser_select(state_, "Mine", loader());
    chooser_color_picked(state_, ColorTarget::text, 0x0A0B0C);

    const auto source = chooser_apply(state_, config());
    ASSERT_TRUE(source);
    EXPECT_FALSE(source->builtin);
    EXPECT_EQ(source->path, temp_.file("tmp.dat"));
    EXPECT_EQ(config().text_color, (ColorTriple{0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(config().result_color, blue_result);
    EXPECT_EQ(skin_path_text(config()), temp_.file("tmp.dat"));  // never the skin file's own path
    EXPECT_FALSE(state_.has_picture);
}

TEST_F(SkinChooserTest, ApplyingTheBuiltInSkinEmptiesTheSkinPath) {
    chooser_select(state_, "Standard", loader());
    const auto source = chooser_apply(state_, config());
    ASSERT_TRUE(source);
    EXPECT_TRUE(source->builtin);
    EXPECT_EQ(skin_path_text(config()), "");
    EXPECT_EQ(config().text_color, builtin_skin_colors.text);
    EXPECT_EQ(config().result_color, builtin_skin_colors.result);
}

TEST_F(SkinChooserTest, ApplyBeforeAnySelectionChangesNothing) {
    const auto before = pack_config(config());
    EXPECT_FALSE(chooser_apply(state_, config()));
    EXPECT_EQ(pack_config(config()), before);
}

TEST_F(SkinChooserTest, ALongScratchPathIsCutTo255Bytes) {
    set_program_folder(temp_.folder() + std::string(300, 'd') + "/");
    chooser_select(state_, "Standard", loader());
    chooser_select(state_, "Unreadable", loader());  // keeps the picture, takes the scratch path
    ASSERT_TRUE(chooser_apply(state_, config()));
    const auto image = pack_config(config());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[config_offset::skin_path]), 255),
              scratch_file_path().substr(0, 255));
}

TEST_F(SkinChooserTest, CancelAppliesNothingButTheScratchFileKeepsTheSelection) {
    const auto png = test::solid_png(100, 100, 0x123456);
    add_skin("Mine.pxk", png, red_text, blue_result);
    const auto before = pack_config(config());
    chooser_select(state_, "Mine", loader());
    chooser_cancel(state_);
    EXPECT_FALSE(state_.has_picture);
    EXPECT_EQ(pack_config(config()), before);
    EXPECT_EQ(test::read_file(temp_.file("tmp.dat")).size(), png.size() + 1);
}

TEST_F(SkinChooserTest, ClosingSavesTheRecord) {
    config().clicks = 4711;
    chooser_closed();
    ConfigRecord saved;
    load_config_file(saved, temp_.file("config.dat"), 800, 600);
    EXPECT_EQ(saved.clicks.load(), 4711);
}

}  // namespace
}  // namespace pendolux
