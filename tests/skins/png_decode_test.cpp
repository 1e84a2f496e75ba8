#include "core/skins/png_decode.h"

#include <gtest/gtest.h>

#include <chrono>

#include "assets/embedded_assets.h"
#include "core/skins/picture_kind.h"
#include "skins/png_fixture.h"

namespace pendolux {
namespace {

using test::PngLayout;
using test::PngShape;
using Bytes = std::vector<std::uint8_t>;

void expect_fixture_pixels(const Picture& picture, PngLayout layout) {
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            ASSERT_EQ(picture.pixels[static_cast<std::size_t>(y * picture.width + x)], test::fixture_pixel(layout, x, y))
                << "at " << x << "," << y;
}

struct LayoutCase {
    const char* name;
    PngShape shape;
};

class PngLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PngLayouts, DecodeToStraightArgb) {
    const PngShape& shape = GetParam().shape;
    const auto picture = decode_png(test::make_png(shape));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, shape.width);
    EXPECT_EQ(picture->height, shape.height);
    expect_fixture_pixels(*picture, shape.layout);
}

INSTANTIATE_TEST_SUITE_P(
    All, PngLayouts,
    ::testing::Values(LayoutCase{"rgb8", {100, 100, PngLayout::rgb8}}, LayoutCase{"rgba8", {13, 7, PngLayout::rgba8}},
                      LayoutCase{"gray1_odd_width", {13, 5, PngLayout::gray1}},
                      LayoutCase{"gray8", {9, 9, PngLayout::gray8}}, LayoutCase{"gray16", {9, 4, PngLayout::gray16}},
                      LayoutCase{"gray_alpha8", {6, 6, PngLayout::gray_alpha8}},
                      LayoutCase{"palette_with_tRNS", {11, 3, PngLayout::palette8_with_alpha}},
                      LayoutCase{"rgb16", {5, 8, PngLayout::rgb16}},
                      LayoutCase{"interlaced_rgba8", {100, 100, PngLayout::rgba8, true}},
                      LayoutCase{"interlaced_tiny", {3, 2, PngLayout::rgb8, true}},
                      LayoutCase{"interlaced_palette", {10, 10, PngLayout::palette8_with_alpha, true}},
                      LayoutCase{"one_pixel", {1, 1, PngLayout::rgb8}},
                      LayoutCase{"largest_side", {4096, 1, PngLayout::gray8}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PngDecode, BytesAfterThePictureAreIgnored) {
    Bytes png = test::make_png({20, 20, PngLayout::rgb8});
    png.push_back(0x00);  // the skin file's pad byte
    EXPECT_TRUE(decode_png(png));
    png.insert(png.end(), 5000, 0xAB);
    EXPECT_TRUE(decode_png(png));
}

TEST(PngDecode, EveryCutBeforeTheLastPixelDataFails) {
    const Bytes png = test::make_png({16, 16, PngLayout::rgba8, true});
    const std::size_t iend = test::find_chunk(png, "IEND");
    ASSERT_NE(iend, std::string::npos);
    for (std::size_t length = 0; length < png.size(); ++length) {
        const auto picture = decode_png(std::span(png.data(), length));
        // Cut inside the pixel data or its CRC: nothing; cut after it: the IEND chunk is never needed.
        EXPECT_EQ(picture.has_value(), length >= iend) << "cut at " << length;
    }
}

TEST(PngDecode, BadCrcInCriticalChunkFailsButNotInAncillaryOne) {
    const Bytes good = test::make_png({10, 10, PngLayout::rgb8, false, true});
    for (const char* type : {"IHDR", "IDAT"}) {
        Bytes bad = good;
        bad[test::find_chunk(bad, type) + 8] ^= 0x01;  // first data byte, CRC left as it was
        EXPECT_FALSE(decode_png(bad)) << type;
    }
    Bytes text_bad = good;
    text_bad[test::find_chunk(text_bad, "tEXt") + 8] ^= 0x01;
    EXPECT_TRUE(decode_png(text_bad));
}

Bytes with_dimensions(Bytes png, std::uint32_t width, std::uint32_t height) {
    const std::size_t ihdr = test::find_chunk(png, "IHDR");
    for (int i = 0; i < 4; ++i) {
        png[ihdr + 8 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png[ihdr + 12 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    test::fix_chunk_crc(png, ihdr);
    return png;
}

TEST(PngDecode, AbsurdOrLyingDimensionsFailQuickly) {
    const Bytes png = test::make_png({10, 10, PngLayout::rgb8});
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [w, h] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
             {0, 10}, {10, 0}, {4097, 1}, {1, 4097}, {100000, 100000}, {0x7FFFFFFF, 0x7FFFFFFF}, {0xFFFFFFFF, 1}}) {
        EXPECT_FALSE(decode_png(with_dimensions(png, w, h))) << w << " x " << h;
    }
    // Within the limits but more pixels announced than the data holds.
    EXPECT_FALSE(decode_png(with_dimensions(png, 4096, 4096)));
    EXPECT_FALSE(decode_png(with_dimensions(png, 10, 11)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(PngDecode, NotAPngFails) {
    EXPECT_FALSE(decode_png(Bytes{}));
    EXPECT_FALSE(decode_png(Bytes{0x89, 'P', 'N', 'G'}));
    Bytes signature_only = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_FALSE(decode_png(signature_only));
    signature_only.resize(200, 0x41);
    EXPECT_FALSE(decode_png(signature_only));
}

TEST(PngDecode, BuiltInSkinIsA100By100Picture) {
    const auto picture = decode_png(assets::builtin_skin());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 100);
    EXPECT_EQ(picture->height, 100);
}

TEST(PictureKind, DecidesByTheFirstBytes) {
    const Bytes png = test::make_png({2, 2, PngLayout::rgb8});
    using D = PictureDecoder;
    const struct {
        Bytes bytes;
        std::vector<D> decoders;
    } cases[] = {
        {{'B', 'M'}, {D::windows_bitmap}},
        {{'B', 'M', 0x89, 'P', 'N', 'G'}, {D::windows_bitmap}},
        {{0, 0, 1, 0, 1, 0}, {D::icon}},
        {{0, 0, 2, 0, 3, 0}, {D::icon}},
        {{0, 0, 1, 0, 0, 0}, {}},
        {{0, 0, 3, 0, 1, 0}, {}},
        {png, {D::png}},
        {{'B'}, {}},
        {{}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(picture_decoders_for(c.bytes), c.decoders);
}

}  // namespace
}  // namespace pendolux
