#include "gui/qt/meter_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <gtest/gtest.h>

#include "core/config/program_state.h"
#include "core/display/face_layout.h"
#include "gui/qt/meter_access.h"
#include "support/qt_application.h"

namespace pendolux::gui {
namespace {

class MeterWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::qt_application();
    }
    void SetUp() override {
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

}  // namespace
}  // namespace pendolux::gui
