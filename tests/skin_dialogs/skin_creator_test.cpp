// The rules of "Skin erstellen": opening, refusing, colours, reset and saving.
#include "core/skins/skin_creator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/skins/skin_file.h"
#include "skin_dialogs/solid_png.h"
#include "support/temp_folder.h"

namespace pendolux {
namespace {

class SkinCreatorTest : public ::testing::Test {
protected:
    // Pretends to decode: every file "is" a picture of the size set in next_size_.
    LoadCreatorPicture loader() {
        return [this](const std::string& path) {
            loads_.push_back(path);
            return next_size_;
        };
    }

    SkinCreatorState opened(const std::string& path) {
        SkinCreatorState state;
        next_size_ = PictureSize{100, 100};
        EXPECT_EQ(creator_open_picture(state, path, loader()), OpenPictureOutcome::opened);
        return state;
    }

    std::string picture_file(std::uint32_t rgb = 0x336699) {
        const std::string path = temp_.file("picture.png");
        test::write_file(path, test::solid_png(100, 100, rgb));
        return path;
    }

    test::TempFolder temp_;
    std::optional<PictureSize> next_size_;
    std::vector<std::string> loads_;
};

TEST_F(SkinCreatorTest, StartsWithoutPictureAndWithWhiteColours) {
    SkinCreatorState state;
    EXPECT_FALSE(state.has_picture);
    EXPECT_EQ(state.colors, (WorkingColors{{255, 255, 255}, {255, 255, 255}}));
    EXPECT_FALSE(creator_color_preset(state, ColorTarget::text));
    EXPECT_FALSE(creator_color_preset(state, ColorTarget::result));
    EXPECT_EQ(creator_reset(state), CreatorResetOutcome::refused);
}

TEST_F(SkinCreatorTest, OnlyPicturesOfExactly100By100AreTaken) {
    struct Case {
        std::optional<PictureSize> size;
        OpenPictureOutcome outcome;
    } cases[] = {
        {PictureSize{100, 100}, OpenPictureOutcome::opened},  {PictureSize{100, 80}, OpenPictureOutcome::refused},
        {PictureSize{80, 100}, OpenPictureOutcome::refused},  {PictureSize{101, 100}, OpenPictureOutcome::refused},
        {std::nullopt, OpenPictureOutcome::refused},  // not a picture at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size ? std::to_string(c.size->width) + " x " + std::to_string(c.size->height) : "no picture");
        SkinCreatorState state = opened("/earlier.png");  // a refusal also drops an earlier picture
        next_size_ = c.size;
        EXPECT_EQ(creator_open_picture(state, "/pictures/candidate", loader()), c.outcome);
        EXPECT_EQ(state.has_picture, c.outcome == OpenPictureOutcome::opened);
        EXPECT_EQ(state.picture_path, "/pictures/candidate");  // kept even when refused
    }
}

TEST_F(SkinCreatorTest, CancelledOpenKeepsThePictureButForgetsItsPath) {
    SkinCreatorState state = opened("/a.png");
    loads_.clear();
    EXPECT_EQ(creator_open_picture(state, "", loader()), OpenPictureOutcome::cancelled);
    EXPECT_TRUE(loads_.empty());
    EXPECT_TRUE(state.has_picture);
    EXPECT_EQ(state.picture_path, "");
    // With a picture but no path, "Zurücksetzen" does nothing and "Speichern" writes nothing.
    creator_color_picked(state, ColorTarget::text, 0x000000);
    EXPECT_EQ(creator_reset(state), CreatorResetOutcome::nothing);
    EXPECT_EQ(state.colors.text, (ColorTriple{0, 0, 0}));
    EXPECT_EQ(creator_save(state, temp_.file("Out")), SaveOutcome::nothing_written);
    EXPECT_FALSE(std::filesystem::exists(temp_.file("Out.pxk")));
}

TEST_F(SkinCreatorTest, ColourButtonsStartAtTheWorkingColourAndTakeThePickedBytes) {
    SkinCreatorState state = opened("/a.png");
    EXPECT_EQ(creator_color_preset(state, ColorTarget::text), 0xFFFFFFu);
    creator_color_picked(state, ColorTarget::text, 0x00C08040);
    EXPECT_EQ(state.colors.text, (ColorTriple{0x40, 0x80, 0xC0}));
    EXPECT_EQ(creator_color_preset(state, ColorTarget::text), 0xC08040u);
    EXPECT_EQ(state.colors.result, (ColorTriple{255, 255, 255}));
}

TEST_F(SkinCreatorTest, ResetDropsThePictureAndWhitensTheColoursButKeepsThePath) {
    SkinCreatorState state = opened("/a.png");
    creator_color_picked(state, ColorTarget::result, 0x000102);
    EXPECT_EQ(creator_reset(state), CreatorResetOutcome::cleared);
    EXPECT_FALSE(state.has_picture);
    EXPECT_EQ(state.colors, creator_start_colors);
    EXPECT_EQ(state.picture_path, "/a.png");
    EXPECT_EQ(creator_reset(state), CreatorResetOutcome::refused);
}

TEST(SkinSavePath, AddsPxkUnlessTheExtensionIsExactlyPxk) {
    struct Case {
        const char* chosen;
        const char* saved;
    } cases[] = {
        {"/home/u/MySkin", "/home/u/MySkin.pxk"},
        {"/home/u/MySkin.pxk", "/home/u/MySkin.pxk"},
        {"/home/u/MySkin.PXK", "/home/u/MySkin.PXK.pxk"},
        {"/home/u/skin.png", "/home/u/skin.png.pxk"},
        {"/home/u/.pxk", "/home/u/.pxk"},
        {"/home/u/MySkin.", "/home/u/MySkin..pxk"},
        {"/home/u/MySkin.pxk.bak", "/home/u/MySkin.pxk.bak.pxk"},
        {"/home/my.skins/MySkin", "/home/my.skins/MySkin.pxk"},
        {"C:\\my.skins\\MySkin", "C:\\my.skins\\MySkin.pxk"},
        {"C:\\my.skins/x.pxk", "C:\\my.skins/x.pxk"},
        {"MySkin.pxkx", "MySkin.pxkx.pxk"},
    };
    for (const auto& c : cases) EXPECT_EQ(skin_save_path(c.chosen), c.saved) << c.chosen;
}

TEST_F(SkinCreatorTest, SavingWritesTheSkinFileUnderTheCompletedName) {
    const std::string picture = picture_file();
    SkinCreatorState state = opened(picture);
    creator_color_picked(state, ColorTarget::text, 0x030201);
    creator_color_picked(state, ColorTarget::result, 0x060504);

    EXPECT_EQ(creator_save(state, temp_.file("MySkin")), SaveOutcome::written);
    EXPECT_EQ(state.save_path, temp_.file("MySkin.pxk"));
    const auto header = read_skin_header(temp_.file("MySkin.pxk"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->text_color, (ColorTriple{1, 2, 3}));
    EXPECT_EQ(header->result_color, (ColorTriple{4, 5, 6}));
    EXPECT_EQ(header->picture_size, static_cast<std::int32_t>(std::filesystem::file_size(picture)));
}

TEST_F(SkinCreatorTest, SavingReplacesAnExistingFileWithoutAsking) {
    test::write_file(temp_.file("Old.pxk"), std::vector<std::uint8_t>(100000, 0xAB));
    SkinCreatorState state = opened(picture_file());
    EXPECT_EQ(creator_save(state, temp_.file("Old.pxk")), SaveOutcome::written);
    EXPECT_EQ(std::filesystem::file_size(temp_.file("Old.pxk")),
              std::filesystem::file_size(temp_.file("picture.png")) + 21);
}

TEST_F(SkinCreatorTest, SavingOverThePictureItselfFailsAndKeepsThePicture) {
    const std::string picture = temp_.file("background.pxk");
    const auto png = test::solid_png(100, 100, 0x102030);
    test::write_file(picture, png);
    SkinCreatorState state = opened(picture);
    EXPECT_EQ(creator_save(state, picture), SaveOutcome::failed);
    EXPECT_EQ(test::read_file(picture), png);
}

TEST_F(SkinCreatorTest, CancelledSaveOrNoPictureFileWritesNothing) {
    SkinCreatorState state = opened(picture_file());
    EXPECT_EQ(creator_save(state, ""), SaveOutcome::nothing_written);
    EXPECT_EQ(state.save_path, "");

    SkinCreatorState fresh;
    EXPECT_EQ(creator_save(fresh, temp_.file("Never")), SaveOutcome::nothing_written);
    EXPECT_FALSE(std::filesystem::exists(temp_.file("Never.pxk")));
    const auto files = std::distance(std::filesystem::directory_iterator(temp_.path()), {});
    EXPECT_EQ(files, 1);  // only the picture
}

TEST_F(SkinCreatorTest, RefusedPictureIsStillWhatSpeichernWrites) {
    const std::string picture = picture_file();
    SkinCreatorState state;
    next_size_ = PictureSize{80, 100};
    ASSERT_EQ(creator_open_picture(state, picture, loader()), OpenPictureOutcome::refused);
    EXPECT_EQ(creator_save(state, temp_.file("FromRefused")), SaveOutcome::written);
    const auto header = read_skin_header(temp_.file("FromRefused.pxk"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->text_color, (ColorTriple{255, 255, 255}));
}

TEST_F(SkinCreatorTest, SaveFailsWhenThePictureOrTheTargetCannotBeOpened) {
    SkinCreatorState gone = opened(temp_.file("deleted.png"));
    EXPECT_EQ(creator_save(gone, temp_.file("A")), SaveOutcome::failed);
    EXPECT_FALSE(std::filesystem::exists(temp_.file("A.pxk")));

    SkinCreatorState state = opened(picture_file());
    EXPECT_EQ(creator_save(state, temp_.file("no/such/folder/B")), SaveOutcome::failed);
}

}  // namespace
}  // namespace pendolux
