#include "core/skins/skin_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "skins/png_fixture.h"
#include "support/temp_folder.h"

namespace pendolux {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::read_bytes;
using test::write_bytes;

constexpr ColorTriple grey{100, 100, 100};
constexpr ColorTriple blue{0, 140, 200};
constexpr std::int32_t no_size = std::numeric_limits<std::int32_t>::min();

Bytes pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}

Bytes header_bytes(double size, ColorTriple text, ColorTriple result) {
    const auto header = encode_skin_header(size, text, result);
    return {header.begin(), header.end()};
}

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class SkinFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string skin = folder.file("Blue.pxk");
    std::string picture = folder.file("picture.png");
    std::string scratch = folder.file("tmp.dat");
};

TEST_F(SkinFileTest, WritesTheExampleBytesAndUnpacksThePictureWithItsPadByte) {
    const Bytes png = pattern(3706);
    write_bytes(picture, png);
    ASSERT_TRUE(write_skin_file(skin, picture, grey, blue));

    const Bytes expected_header = {0x00, 0x00, 0x00, 0x00, 0x00, 0xF4, 0xAC, 0x40, 0x64, 0x00,
                                   0x64, 0x00, 0x64, 0x00, 0x00, 0x00, 0x8C, 0x00, 0xC8, 0x00};
    EXPECT_EQ(read_bytes(skin), concat(concat(expected_header, png), {0x00}));

    const SkinHeader header{3706, grey, blue};
    EXPECT_EQ(read_skin_header(skin), header);
    EXPECT_EQ(unpack_skin_file(skin, scratch), header);
    EXPECT_EQ(read_bytes(scratch), concat(png, {0x00}));
}

TEST_F(SkinFileTest, EmptyPictureGivesHeaderAndPadByteOnly) {
    write_bytes(picture, {});
    ASSERT_TRUE(write_skin_file(skin, picture, grey, blue));
    EXPECT_EQ(read_bytes(skin).size(), 21u);
    EXPECT_EQ(read_bytes(skin).back(), 0x00);
    EXPECT_EQ(unpack_skin_file(skin, scratch)->picture_size, 0);
    EXPECT_EQ(read_bytes(scratch), Bytes{0x00});
}

TEST_F(SkinFileTest, ColourComponentsAreStoredAsTheirLow16Bits) {
    write_bytes(picture, {1, 2, 3});
    ASSERT_TRUE(write_skin_file(skin, picture, {-1, 256, 32767}, {-32768, 255, 0}));
    const Bytes file = read_bytes(skin);
    EXPECT_EQ(Bytes(file.begin() + 8, file.begin() + 20),
              (Bytes{0xFF, 0xFF, 0x00, 0x01, 0xFF, 0x7F, 0x00, 0x80, 0xFF, 0x00, 0x00, 0x00}));
    EXPECT_EQ(read_skin_header(skin), (SkinHeader{3, {-1, 256, 32767}, {-32768, 255, 0}}));
}

TEST_F(SkinFileTest, WriteFailsWithoutTouchingTheSkinFile) {
    write_bytes(skin, {9, 9, 9});
    // Picture missing, or not a plain file: the skin file is left as it was.
    EXPECT_FALSE(write_skin_file(skin, folder.file("missing.png"), grey, blue));
    EXPECT_FALSE(write_skin_file(skin, folder.path(), grey, blue));
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(write_skin_file(skin, folder.file("fifo"), grey, blue));
    EXPECT_EQ(read_bytes(skin), (Bytes{9, 9, 9}));

    write_bytes(picture, {1, 2, 3});
    EXPECT_FALSE(write_skin_file(folder.file("no-such-folder/Blue.pxk"), picture, grey, blue));
    EXPECT_FALSE(write_skin_file("", picture, grey, blue));
}

TEST_F(SkinFileTest, SavingOverThePictureItselfFailsAndKeepsThePicture) {
    write_bytes(picture, {1, 2, 3});
    EXPECT_FALSE(write_skin_file(picture, picture, grey, blue));
    EXPECT_EQ(read_bytes(picture), (Bytes{1, 2, 3}));
}

TEST_F(SkinFileTest, UnreadableSkinGivesNoResultAndLeavesTheScratchFile) {
    write_bytes(scratch, {7, 7});
    EXPECT_EQ(read_skin_header(folder.file("missing.pxk")), std::nullopt);
    EXPECT_EQ(unpack_skin_file(folder.file("missing.pxk"), scratch), std::nullopt);
    std::filesystem::create_directory(folder.file("folder.pxk"));
    EXPECT_EQ(unpack_skin_file(folder.file("folder.pxk"), scratch), std::nullopt);
    // A FIFO would block an open for reading until someone writes.
    ASSERT_EQ(::mkfifo(folder.file("fifo.pxk").c_str(), 0600), 0);
    EXPECT_EQ(unpack_skin_file(folder.file("fifo.pxk"), scratch), std::nullopt);
    EXPECT_EQ(read_bytes(scratch), (Bytes{7, 7}));
}

TEST_F(SkinFileTest, UncreatableScratchFileStillGivesTheHeader) {
    write_bytes(skin, concat(header_bytes(2, grey, blue), {1, 2, 0}));
    EXPECT_EQ(unpack_skin_file(skin, folder.file("no-such-folder/tmp.dat")), (SkinHeader{2, grey, blue}));
}

TEST_F(SkinFileTest, FifoInPlaceOfTheSkinOrScratchFileNeverBlocks) {
    write_bytes(picture, {1, 2, 3});
    ASSERT_EQ(::mkfifo(folder.file("out.pxk").c_str(), 0600), 0);
    EXPECT_FALSE(write_skin_file(folder.file("out.pxk"), picture, grey, blue));

    write_bytes(skin, concat(header_bytes(2, grey, blue), {1, 2, 0}));
    ASSERT_EQ(::mkfifo(folder.file("tmp-fifo.dat").c_str(), 0600), 0);
    EXPECT_EQ(unpack_skin_file(skin, folder.file("tmp-fifo.dat")), (SkinHeader{2, grey, blue}));
}

TEST_F(SkinFileTest, UnpackingASkinOntoItselfLeavesItWhole) {
    const Bytes file = concat(header_bytes(2, grey, blue), {1, 2, 0});
    write_bytes(skin, file);
    EXPECT_EQ(unpack_skin_file(skin, skin), (SkinHeader{2, grey, blue}));
    EXPECT_EQ(read_bytes(skin), file);
}

// Skin files as a reader may find them: the scratch file must get exactly
// what the announced size says, zeros past the end of the skin file.
struct UnpackCase {
    const char* name;
    Bytes file;
    SkinHeader header;
    Bytes scratch;
};

std::vector<UnpackCase> unpack_cases() {
    const Bytes h100 = header_bytes(100, grey, blue);
    Bytes cut_picture = pattern(40);
    Bytes cut_expected = cut_picture;
    cut_expected.resize(101, 0);
    Bytes twelve = header_bytes(3706, grey, blue);
    twelve.resize(12);
    return {
        {"cut_off_inside_picture", concat(h100, cut_picture), {100, grey, blue}, cut_expected},
        {"no_pad_byte", concat(header_bytes(3, grey, blue), {1, 2, 3}), {3, grey, blue}, {1, 2, 3, 0}},
        {"bytes_after_pad_never_read", concat(header_bytes(2, grey, blue), {1, 2, 0, 9, 9}), {2, grey, blue}, {1, 2, 0}},
        {"size_minus_one_copies_nothing", concat(header_bytes(-1.0, grey, blue), {1, 2}), {-1, grey, blue}, {}},
        {"size_2_5_rounds_down_to_even", concat(header_bytes(2.5, grey, blue), {1, 2, 3, 4, 5}), {2, grey, blue}, {1, 2, 3}},
        {"size_3_5_rounds_up_to_even", concat(header_bytes(3.5, grey, blue), {1, 2, 3, 4, 5, 6}), {4, grey, blue}, {1, 2, 3, 4, 5}},
        {"nan_size_copies_nothing", concat(header_bytes(std::nan(""), grey, blue), {1}), {no_size, grey, blue}, {}},
        {"colour_words_ff_ff_read_as_minus_one",
         concat({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, Bytes(12, 0xFF)), {1, {-1, -1, -1}, {-1, -1, -1}}, {0, 0}},
        {"file_of_12_bytes", twelve, {3706, {100, 100, 0}, {0, 0, 0}}, Bytes(3707, 0)},
        {"file_of_5_bytes", {0, 0, 0, 0, 0}, {0, {}, {}}, {0}},
        {"empty_file", {}, {0, {}, {}}, {0}},
    };
}

class UnpackTable : public SkinFileTest, public ::testing::WithParamInterface<UnpackCase> {};

TEST_P(UnpackTable, ScratchGetsTheAnnouncedBytes) {
    const UnpackCase& c = GetParam();
    write_bytes(skin, c.file);
    write_bytes(scratch, pattern(500));  // old content must go
    EXPECT_EQ(read_skin_header(skin), c.header);
    EXPECT_EQ(unpack_skin_file(skin, scratch), c.header);
    EXPECT_EQ(read_bytes(scratch), c.scratch);
    EXPECT_EQ(read_bytes(skin), c.file);
}

INSTANTIATE_TEST_SUITE_P(Files, UnpackTable, ::testing::ValuesIn(unpack_cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SkinPictureSize, RoundsHalfToEvenAndRefusesWhatDoesNotFit) {
    const struct {
        double size;
        std::int32_t expected;
    } cases[] = {
        {0.0, 0},
        {-0.0, 0},
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.4999999, 2},
        {2.5000001, 3},
        {4.9e-324, 0},
        {2147483647.0, 2147483647},
        {2147483647.4, 2147483647},
        {2147483647.5, no_size},
        {2147483648.0, no_size},
        {-2147483648.0, no_size},
        {-2147483648.5, no_size},
        {-2147483647.5, -2147483648},
        {-2147483649.0, no_size},
        {1e300, no_size},
        {std::numeric_limits<double>::infinity(), no_size},
        {-std::numeric_limits<double>::infinity(), no_size},
        {std::nan(""), no_size},
    };
    for (const auto& c : cases) EXPECT_EQ(skin_picture_size_from_double(c.size), c.expected) << c.size;
}

TEST_F(SkinFileTest, HugeAnnouncedSizeIsCappedAt16MiB) {
    // Up to the cap every byte is as announced; beyond it nothing more is written.
    const struct {
        double size;
        std::int64_t scratch_size;
    } cases[] = {
        {16.0 * 1024 * 1024 - 1, 16 * 1024 * 1024},
        {16.0 * 1024 * 1024, 16 * 1024 * 1024},
        {2147483647.0, 16 * 1024 * 1024},
    };
    for (const auto& c : cases) {
        write_bytes(skin, concat(header_bytes(c.size, grey, blue), {1, 2, 3}));
        ASSERT_TRUE(unpack_skin_file(skin, scratch));
        const Bytes bytes = read_bytes(scratch);
        ASSERT_EQ(static_cast<std::int64_t>(bytes.size()), c.scratch_size) << c.size;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{1, 2, 3, 0}));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), c.scratch_size - 3);
    }
}

TEST(SkinHeaderCodec, DecodesWhatItEncodes) {
    EXPECT_EQ(decode_skin_header(encode_skin_header(3706, grey, blue)), (SkinHeader{3706, grey, blue}));
    EXPECT_EQ(decode_skin_header(encode_skin_header(-7, {-1, 0, 1}, {255, -256, 32767})),
              (SkinHeader{-7, {-1, 0, 1}, {255, -256, 32767}}));
}

}  // namespace
}  // namespace pendolux
