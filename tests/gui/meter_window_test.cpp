#include "gui/qt/meter_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

#include "core/config/program_state.h"
#include "core/display/face_layout.h"
#include "gui/qt/meter_access.h"
#include "platform/fake/fake_platform.h"
#include "support/qt_application.h"

namespace pendolux::gui {
namespace {

class MeterWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::qt_application();
    }
    void SetUp() override {
        fake_platform::reset();
        config() = ConfigRecord{};
        config().window_x = 120;
        config().window_y = 80;
        config().always_on_top = 1;
        config().result_color = {0, 140, 200};
    }
};

TEST_F(MeterWindowTest, IsAFramelessTopmostToolWindowShapedAsTheTile) {
    MeterWindow meter;
    EXPECT_TRUE(meter.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(meter.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(meter.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(meter.size(), QSize(100, 100));
    EXPECT_EQ(meter.pos(), QPoint(120, 80));
    EXPECT_EQ(meter.windowTitle(), "Pendolux");
    const QRegion shape = meter.mask();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(shape.contains(QPoint(x, y)), face_layout::meter_shape_contains(x, y)) << x << "," << y;
}

TEST_F(MeterWindowTest, TopmostStateFollowsTheRecord) {
    MeterWindow meter;
    set_meter_window(&meter);
    config().always_on_top = 0;
    apply_meter_topmost();
    EXPECT_FALSE(meter.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(meter.pos(), QPoint(120, 80));
    config().always_on_top = 5;  // any non-zero value
    apply_meter_topmost();
    EXPECT_TRUE(meter.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    set_meter_window(nullptr);
}

TEST_F(MeterWindowTest, CloseRequestsAreIgnored) {
    MeterWindow meter;
    meter.show();
    QCloseEvent close;
    QApplication::sendEvent(&meter, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(meter.isVisible());
}

TEST_F(MeterWindowTest, FaceShowsTheLiveTotalsAndTheNewPicture) {
    MeterWindow meter;
    meter.redraw_face();
    const QImage before = meter.face_image();
    config().clicks = 1000000000;
    meter.redraw_face();
    EXPECT_NE(meter.face_image(), before);

    auto white = std::make_shared<QImage>(100, 100, QImage::Format_ARGB32);
    white->fill(Qt::white);
    meter.set_skin_picture(white);
    meter.redraw_face();
    EXPECT_EQ(meter.face_image().pixel(99, 0), qRgb(255, 255, 255));
}

// Which pixels were sent straight to the meter's window since the last call
// (y * 100 + x); each must be exactly what the face has there.
std::vector<bool> pixels_sent(const MeterWindow& meter) {
    std::vector<bool> sent(100 * 100, false);
    const QImage& face = meter.face_image();
    for (const auto& shown : fake_platform::take_shown_pixels()) {
        EXPECT_EQ(shown.window, static_cast<std::uintptr_t>(meter.winId()));
        for (int row = 0; row < shown.height; ++row) {
            for (int column = 0; column < shown.width; ++column) {
                const int x = shown.x + column, y = shown.y + row;
                sent[static_cast<std::size_t>(y * 100 + x)] = true;
                EXPECT_EQ(shown.pixels[static_cast<std::size_t>(row * shown.width + column)], face.pixel(x, y))
                    << x << "," << y;
            }
        }
    }
    return sent;
}

// The rows of which every pixel was sent; rows not sent at all stay false.
std::vector<bool> rows_sent(const MeterWindow& meter) {
    const std::vector<bool> pixels = pixels_sent(meter);
    std::vector<bool> rows(100, false);
    for (int y = 0; y < 100; ++y) {
        const auto row = pixels.begin() + y * 100;
        rows[static_cast<std::size_t>(y)] = std::find(row, row + 100, false) == row + 100;
        if (!rows[static_cast<std::size_t>(y)]) {
            EXPECT_EQ(std::find(row, row + 100, true), row + 100) << "row " << y << " sent in part";
        }
    }
    return rows;
}

// Every pixel of the round tile was sent.
bool whole_tile_sent(const MeterWindow& meter) {
    const std::vector<bool> pixels = pixels_sent(meter);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (face_layout::meter_shape_contains(x, y) && !pixels[static_cast<std::size_t>(y * 100 + x)]) return false;
    return true;
}

// Where the platform takes pixels straight into the window, a redraw sends
// the rows that changed, exactly as the face has them, and nothing else.
TEST_F(MeterWindowTest, DirectPaintingSendsExactlyTheChangedRows) {
    fake_platform::set_can_show_pixels(true);
    MeterWindow meter;
    meter.show();
    QApplication::processEvents();
    meter.redraw_face();
    fake_platform::take_shown_pixels();
    const QImage before = meter.face_image();

    config().keystrokes = 1234;
    meter.redraw_face();
    const std::vector<bool> sent = rows_sent(meter);
    int rows = 0;
    for (int y = 0; y < 100; ++y) {
        const bool changed = std::memcmp(meter.face_image().constScanLine(y), before.constScanLine(y), 400) != 0;
        EXPECT_EQ(sent[static_cast<std::size_t>(y)], changed) << "row " << y;
        rows += sent[static_cast<std::size_t>(y)] ? 1 : 0;
    }
    EXPECT_GT(rows, 0);
    EXPECT_LT(rows, 40);  // one value's rows, not the face

    // A hidden meter sends nothing; shown again, it gets the whole face.
    meter.set_meter_hidden(true);
    config().keystrokes = 99;
    meter.redraw_face();
    EXPECT_TRUE(fake_platform::take_shown_pixels().empty());
    meter.set_meter_hidden(false);
    QApplication::processEvents();
    EXPECT_TRUE(whole_tile_sent(meter));
}

// The sampler's report is drawn and sent by the sampler's thread. While the
// display takes nothing, that thread does not wait: the GUI thread sends the
// whole face once it can.
TEST_F(MeterWindowTest, ReportedTotalsAreSentByTheReportingThreadWithoutWaiting) {
    fake_platform::set_can_show_pixels(true);
    MeterWindow meter;
    set_meter_window(&meter);
    meter.show();
    QApplication::processEvents();
    meter.redraw_face();
    fake_platform::take_shown_pixels();

    config().clicks = 77;
    std::thread([] { report_totals_changed(); }).join();
    const std::vector<bool> sent = rows_sent(meter);
    EXPECT_NE(std::find(sent.begin(), sent.end(), true), sent.end());

    fake_platform::set_display_busy(true);
    config().clicks = 78;
    std::thread([] { report_totals_changed(); }).join();
    EXPECT_TRUE(fake_platform::take_shown_pixels().empty());
    fake_platform::set_display_busy(false);
    QApplication::processEvents();
    EXPECT_TRUE(whole_tile_sent(meter));
    const QImage sent_face = meter.face_image();
    meter.redraw_face();  // nothing left to show
    EXPECT_TRUE(fake_platform::take_shown_pixels().empty());
    EXPECT_EQ(meter.face_image(), sent_face);
    set_meter_window(nullptr);
}

}  // namespace
}  // namespace pendolux::gui
