#include "gui/qt/picture_loader.h"

#include <sys/stat.h>

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <filesystem>

#include "skins/png_fixture.h"
#include "support/temp_folder.h"

namespace pendolux::gui {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::PngLayout;

QByteArray to_qbytes(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

Bytes to_bytes(const QByteArray& bytes) { return Bytes(bytes.begin(), bytes.end()); }

std::uint32_t opaque_pattern(int x, int y) { return test::fixture_pixel(PngLayout::rgb8, x, y); }

void put_le(Bytes& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A Windows bitmap file written by hand: BITMAPFILEHEADER, BITMAPINFOHEADER,
// rows padded to 4 bytes, bottom-up unless top_down (negative height).
Bytes make_bmp(int width, int height, int bits, bool top_down) {
    const int row_size = (width * bits / 8 + 3) & ~3;
    Bytes pixels;
    for (int row = 0; row < height; ++row) {
        const int y = top_down ? row : height - 1 - row;
        const std::size_t start = pixels.size();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = opaque_pattern(x, y);
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                                         static_cast<std::uint8_t>(c >> 16)});
            if (bits == 32) pixels.push_back(0);  // unused byte of BI_RGB
        }
        pixels.resize(start + static_cast<std::size_t>(row_size), 0);
    }
    Bytes bmp = {'B', 'M'};
    put_le(bmp, static_cast<std::uint32_t>(54 + pixels.size()), 4);
    put_le(bmp, 0, 4);
    put_le(bmp, 54, 4);
    put_le(bmp, 40, 4);
    put_le(bmp, static_cast<std::uint32_t>(width), 4);
    put_le(bmp, static_cast<std::uint32_t>(top_down ? -height : height), 4);
    put_le(bmp, 1, 2);
    put_le(bmp, static_cast<std::uint32_t>(bits), 2);
    put_le(bmp, 0, 4);  // BI_RGB
    put_le(bmp, static_cast<std::uint32_t>(pixels.size()), 4);
    put_le(bmp, 2835, 4);
    put_le(bmp, 2835, 4);
    put_le(bmp, 0, 4);
    put_le(bmp, 0, 4);
    bmp.insert(bmp.end(), pixels.begin(), pixels.end());
    return bmp;
}

QImage pattern_image(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, opaque_pattern(x, y));
    return image;
}

Bytes encode_with_qt(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return to_bytes(bytes);
}

void expect_pattern(const std::optional<QImage>& image, int width, int height) {
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format(), QImage::Format_ARGB32);
    ASSERT_EQ(image->width(), width);
    ASSERT_EQ(image->height(), height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(image->pixel(x, y), opaque_pattern(x, y)) << "at " << x << "," << y;
}

struct GoodCase {
    const char* name;
    Bytes bytes;
    int width;
    int height;
};

std::vector<GoodCase> good_cases() {
    Bytes png_with_pad = test::make_png({100, 100, PngLayout::rgb8});
    png_with_pad.push_back(0);
    Bytes bmp_with_pad = make_bmp(100, 100, 24, false);
    bmp_with_pad.push_back(0);
    return {
        {"png", test::make_png({100, 100, PngLayout::rgb8}), 100, 100},
        {"png_interlaced", test::make_png({100, 100, PngLayout::rgb8, true}), 100, 100},
        {"png_followed_by_pad_byte", png_with_pad, 100, 100},
        {"bmp24_bottom_up", make_bmp(100, 100, 24, false), 100, 100},
        {"bmp24_top_down", make_bmp(100, 100, 24, true), 100, 100},
        {"bmp24_odd_width", make_bmp(7, 3, 24, false), 7, 3},
        {"bmp32_bottom_up", make_bmp(100, 100, 32, false), 100, 100},
        {"bmp32_top_down", make_bmp(100, 100, 32, true), 100, 100},
        {"bmp_followed_by_pad_byte", bmp_with_pad, 100, 100},
        {"ico", encode_with_qt(pattern_image(32, 32), "ico"), 32, 32},
        {"bmp_written_by_qt", encode_with_qt(pattern_image(100, 80), "bmp"), 100, 80},
    };
}

class LoadsPicture : public ::testing::TestWithParam<GoodCase> {};

TEST_P(LoadsPicture, FromBytesAndFromAFileWhateverItsName) {
    const GoodCase& c = GetParam();
    expect_pattern(load_picture_bytes(to_qbytes(c.bytes)), c.width, c.height);
    test::TempFolder folder;
    // The name plays no part: every picture saved under a misleading extension.
    for (const char* name : {"picture.png", "picture.bmp", "picture.ico", "tmp.dat"}) {
        test::write_bytes(folder.file(name), c.bytes);
        expect_pattern(load_picture_file(folder.file(name)), c.width, c.height);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, LoadsPicture, ::testing::ValuesIn(good_cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureLoader, PngKeepsItsAlpha) {
    const auto image = load_picture_bytes(to_qbytes(test::make_png({8, 8, PngLayout::rgba8})));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format(), QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(image->pixel(x, y), test::fixture_pixel(PngLayout::rgba8, x, y));
}

Bytes lying_bmp(std::int32_t width, std::int32_t height, int bits) {
    Bytes bmp = make_bmp(4, 4, 24, false);
    for (int i = 0; i < 4; ++i) {
        bmp[18 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(width) >> (8 * i));
        bmp[22 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(height) >> (8 * i));
    }
    bmp[28] = static_cast<std::uint8_t>(bits);
    return bmp;
}

Bytes png_with_bad_crc() {
    Bytes png = test::make_png({10, 10, PngLayout::rgb8});
    png[test::find_chunk(png, "IDAT") + 10] ^= 0x40;
    return png;
}

Bytes png_with_dimensions(std::uint32_t width, std::uint32_t height) {
    Bytes png = test::make_png({10, 10, PngLayout::rgb8});
    for (int i = 0; i < 4; ++i) {
        png[16 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png[20 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    test::fix_chunk_crc(png, 8);
    return png;
}

Bytes ico_with_lying_entry() {
    Bytes ico = encode_with_qt(pattern_image(16, 16), "ico");
    // The embedded bitmap header of the first entry claims a huge picture.
    const std::size_t offset = ico[18] | (ico[19] << 8) | (ico[20] << 16) | (static_cast<std::size_t>(ico[21]) << 24);
    for (int i = 0; i < 4; ++i) {
        ico[offset + 4 + static_cast<std::size_t>(i)] = 0x7F;
        ico[offset + 8 + static_cast<std::size_t>(i)] = 0x7F;
    }
    return ico;
}

TEST(PictureLoader, RefusesWhatDoesNotDecode) {
    const Bytes png = test::make_png({10, 10, PngLayout::rgb8});
    Bytes cut_png(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
    Bytes cut_bmp = make_bmp(100, 100, 24, false);
    cut_bmp.resize(30);
    // Sized up front: GCC 12 misreads an insert after a two-byte initializer list.
    Bytes bm_then_png(png.size() + 2);
    bm_then_png[0] = 'B';
    bm_then_png[1] = 'M';
    std::copy(png.begin(), png.end(), bm_then_png.begin() + 2);
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"garbage", Bytes(3000, 0x5A)},
        {"zeros", Bytes(3000, 0)},
        {"bm_only", {'B', 'M'}},
        {"bm_then_png", bm_then_png},
        {"bmp_header_cut", cut_bmp},
        {"bmp_huge", lying_bmp(100000, 100000, 32)},
        {"bmp_negative_width", lying_bmp(-100, 100, 24)},
        {"bmp_int_min_height", lying_bmp(100, std::numeric_limits<std::int32_t>::min(), 24)},
        {"bmp_4097_wide", lying_bmp(4097, 1, 24)},
        {"png_cut", cut_png},
        {"png_bad_crc", png_with_bad_crc()},
        {"png_absurd_dimensions", png_with_dimensions(1000000, 1000000)},
        {"png_lying_dimensions", png_with_dimensions(4000, 4000)},
        {"ico_directory_only", {0, 0, 1, 0, 1, 0}},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& c : cases) EXPECT_FALSE(load_picture_bytes(to_qbytes(c.bytes))) << c.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(PictureLoader, IconWithLyingBitmapHeaderStaysSmall) {
    const auto image = load_picture_bytes(to_qbytes(ico_with_lying_entry()));
    if (image) {
        EXPECT_LE(image->width(), 256);
        EXPECT_LE(image->height(), 256);
    }
}

TEST(PictureLoader, TruncatedBitmapDataNeverCrashes) {
    // Header intact, pixel rows cut anywhere: a picture may or may not come out,
    // but never a crash or a picture of another size.
    const Bytes bmp = make_bmp(20, 20, 24, false);
    for (std::size_t length = 54; length < bmp.size(); length += 37) {
        const auto image = load_picture_bytes(to_qbytes(Bytes(bmp.begin(), bmp.begin() + static_cast<std::ptrdiff_t>(length))));
        if (image) {
            EXPECT_EQ(image->size(), QSize(20, 20));
        }
    }
}

TEST(PictureLoader, FilesThatCannotBeReadGiveNoPicture) {
    test::TempFolder folder;
    EXPECT_FALSE(load_picture_file(folder.file("missing.png")));
    EXPECT_FALSE(load_picture_file(folder.path()));
    EXPECT_FALSE(load_picture_file(""));
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(load_picture_file(folder.file("fifo")));
}

TEST(PictureLoader, BuiltInSkinPicture) {
    const QImage image = builtin_skin_picture();
    EXPECT_EQ(image.size(), QSize(100, 100));
    EXPECT_EQ(image.format(), QImage::Format_ARGB32);
}

}  // namespace
}  // namespace pendolux::gui
