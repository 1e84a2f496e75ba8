#include "gui/qt/face_drawing.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "core/display/face_layout.h"
#include "gui/qt/picture_loader.h"
#include "support/qt_application.h"

namespace pendolux::gui {
namespace {

class FaceDrawingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::qt_application();
    }
};

// Pixels tinted by this colour inside a box: anti-aliased text on black keeps
// the colour's hue at lower strength.
int count_color(const QImage& image, QRect box, QRgb color) {
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int strength = std::max({qRed(p), qGreen(p), qBlue(p)});
            if (strength < 90) continue;
            const bool same_hue = std::abs(qRed(p) * 255 / strength - qRed(color)) < 40 &&
                                  std::abs(qGreen(p) * 255 / strength - qGreen(color)) < 40 &&
                                  std::abs(qBlue(p) * 255 / strength - qBlue(color)) < 40;
            count += same_hue ? 1 : 0;
        }
    }
    return count;
}

QRect bounding_box_of_non_black(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(FaceDrawingTest, CaptionsAndValuesLandInTheirRowsInTheirColours) {
    QImage face = make_face_image();
    const ColorTriple label{255, 0, 0};
    const ColorTriple value{0, 0, 255};
    draw_face(face, nullptr, label, value, "    5.12 m", "        1259", "       71648");
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    // Rows of the layout: captions at y 6, 34, 62 (label font), values at 18, 46, 74.
    EXPECT_GT(count_color(face, QRect(25, 6, 60, 11), red), 10);
    EXPECT_GT(count_color(face, QRect(20, 34, 70, 11), red), 10);
    EXPECT_GT(count_color(face, QRect(5, 62, 90, 11), red), 10);
    EXPECT_GT(count_color(face, QRect(0, 18, 100, 15), blue), 10);
    EXPECT_GT(count_color(face, QRect(0, 46, 100, 15), blue), 10);
    EXPECT_GT(count_color(face, QRect(0, 74, 100, 15), blue), 10);
    EXPECT_EQ(count_color(face, QRect(0, 0, 100, 6), red) + count_color(face, QRect(0, 0, 100, 6), blue), 0);
    EXPECT_EQ(count_color(face, QRect(0, 18, 100, 14), red), 0);  // no caption colour in a value row
    EXPECT_EQ(count_color(face, QRect(0, 92, 100, 8), blue), 0);
}

TEST_F(FaceDrawingTest, AnchorsAreTheTopLeftOfTheFirstCharacterCell) {
    QImage face = make_face_image();
    draw_face(face, nullptr, {255, 255, 255}, {0, 0, 0}, "", "", "");
    const QRect box = bounding_box_of_non_black(face);
    EXPECT_GE(box.left(), 8);  // "Tastenanschläge" starts furthest left, at x 8
    EXPECT_LE(box.left(), 10);
    EXPECT_GE(box.top(), 6);  // "Strecke" at y 6; the cell's top is above the letters
    EXPECT_LE(box.top(), 9);
}

TEST_F(FaceDrawingTest, PictureIsCopiedAtItsOwnSizeWithoutBlending) {
    QImage face = make_face_image();
    face.fill(qRgb(9, 9, 9));
    QImage small(40, 30, QImage::Format_ARGB32);
    small.fill(qRgba(200, 100, 50, 255));
    small.setPixel(0, 0, qRgba(0, 0, 0, 0));  // transparent: copied, not blended
    draw_face(face, &small, {0, 0, 0}, {0, 0, 0}, "", "", "");
    EXPECT_EQ(face.pixel(39, 29) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFF);
    EXPECT_EQ(face.pixel(40, 29) & 0xFFFFFF, qRgb(9, 9, 9) & 0xFFFFFF);  // the rest is untouched
    EXPECT_EQ(face.pixel(0, 0) & 0xFFFFFF, 0u);

    QImage large(150, 150, QImage::Format_ARGB32);
    large.fill(qRgba(1, 2, 3, 255));
    draw_face(face, &large, {1, 2, 3}, {1, 2, 3}, "", "", "");
    EXPECT_EQ(face.size(), QSize(100, 100));
    EXPECT_EQ(face.pixel(99, 99) & 0xFFFFFF, qRgb(1, 2, 3) & 0xFFFFFF);
}

// A covering picture with its captions is kept between redraws; what comes
// out must be what drawing everything anew gives, also after the caption
// colour or the picture changed, and whatever the face held before.
TEST_F(FaceDrawingTest, KeptPictureAndCaptionsMatchAFreshDrawing) {
    QImage picture(100, 100, QImage::Format_ARGB32);
    picture.fill(qRgba(30, 60, 90, 255));
    // Drawn fresh: the (opaque) picture already in the face, no picture passed.
    auto fresh = [](const QImage& covering, const ColorTriple& label, const std::string& value) {
        QImage face = covering.convertToFormat(QImage::Format_RGB32);
        draw_face(face, nullptr, label, {255, 255, 255}, value, "", "");
        return face;
    };
    QImage face = make_face_image();
    for (const auto& [label, value] : {std::pair<ColorTriple, std::string>{{255, 0, 0}, "   1 cm"},
                                       {{255, 0, 0}, "   2 cm"},
                                       {{0, 255, 0}, "   3 cm"}}) {
        face.fill(qRgb(200, 200, 200));
        draw_face(face, &picture, label, {255, 255, 255}, value, "", "");
        EXPECT_EQ(face, fresh(picture, label, value)) << value;
    }
    picture.setPixel(50, 3, qRgba(250, 0, 0, 255));  // the picture itself changes
    draw_face(face, &picture, {0, 255, 0}, {255, 255, 255}, "   3 cm", "", "");
    EXPECT_EQ(face.pixel(50, 3) & 0xFFFFFF, qRgb(250, 0, 0) & 0xFFFFFF);
    EXPECT_EQ(face, fresh(picture, {0, 255, 0}, "   3 cm"));
}

TEST_F(FaceDrawingTest, UnmaskedColourComponentsCarryIntoTheNextOne) {
    // red 300 = 0x12C: the platform reads red 0x2C and the carry as green 1.
    EXPECT_EQ(to_qcolor({300, 0, 0}), QColor(0x2C, 1, 0));
    EXPECT_EQ(to_qcolor({100, 100, 100}), QColor(100, 100, 100));
}

TEST_F(FaceDrawingTest, BuiltInPictureIsADarkRoundedSquare) {
    const QImage picture = builtin_skin_picture();
    ASSERT_EQ(picture.size(), QSize(100, 100));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(50, 50)), 255);
    long sum = 0;
    int transparent = 0, brightest = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) == 0) {
                ++transparent;
                continue;
            }
            sum += qGray(p);
            brightest = std::max(brightest, qGray(p));
        }
    }
    EXPECT_NEAR(transparent, 175, 10);
    EXPECT_NEAR(static_cast<double>(sum) / (10000 - transparent), 30, 5);
    EXPECT_LE(brightest, 60);
}

}  // namespace
}  // namespace pendolux::gui
