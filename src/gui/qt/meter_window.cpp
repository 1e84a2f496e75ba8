#include "gui/qt/meter_window.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QRegion>
#include <algorithm>
#include <cstring>
#include <mutex>

#include "core/config/program_state.h"
#include "core/display/face_layout.h"
#include "core/display/value_text.h"
#include "gui/qt/face_drawing.h"
#include "gui/qt/meter_access.h"
#include "platform/platform.h"

namespace pendolux::gui {
namespace {

MeterWindow* the_meter = nullptr;

QRegion meter_region() {
    QBitmap mask(face_layout::face_size, face_layout::face_size);
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(Qt::color1);
    for (int y = 0; y < face_layout::face_size; ++y) {
        for (int x = 0; x < face_layout::face_size; ++x) {
            if (face_layout::meter_shape_contains(x, y)) painter.drawPoint(x, y);
        }
    }
    painter.end();
    return QRegion(mask);
}

// The rows in which `now` differs from `before`, which is brought up to date;
// empty when nothing changed. Sending only those rows to the display keeps
// a redraw of one or two changed values small.
QRegion changed_rows(const QImage& now, QImage& before) {
    if (before.size() != now.size() || before.format() != now.format()) {
        before = now.copy();
        return QRegion(now.rect());
    }
    QRegion changed;
    int run_start = -1;
    const auto row_bytes = static_cast<std::size_t>(now.bytesPerLine());
    for (int y = 0; y <= now.height(); ++y) {
        const bool differs =
            y < now.height() && std::memcmp(now.constScanLine(y), before.constScanLine(y), row_bytes) != 0;
        if (differs) {
            std::memcpy(before.scanLine(y), now.constScanLine(y), row_bytes);
            if (run_start < 0) run_start = y;
        } else if (run_start >= 0) {
            changed += QRect(0, run_start, now.width(), y - run_start);
            run_start = -1;
        }
    }
    return changed;
}

Qt::WindowFlags meter_flags(bool topmost) {
    // A tool window gets no taskbar entry; no frame, no caption.
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
    if (topmost) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

}  // namespace

MeterWindow::MeterWindow() : QWidget(nullptr, meter_flags(config().always_on_top != 0)) {
    face_image_ = make_face_image();
    setWindowTitle(QStringLiteral("Pendolux"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The face goes to the window as it is: through the toolkit's backing
    // store every redraw would cost a second copy and its whole paint path.
    paints_directly_ = platform::can_show_pixels(static_cast<std::uintptr_t>(winId()));
    if (paints_directly_) setAttribute(Qt::WA_PaintOnScreen);
    // The tile takes no keyboard focus from the program the user works in; a
    // click on it still activates it for dragging.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(face_layout::face_size, face_layout::face_size);
    move(config().window_x, config().window_y);
    shape_meter_window(*this);
}

QRegion MeterWindow::draw_changes() {
    const ConfigRecord& record = config();
    // Each total is read once and that reading is used for text and width alike.
    Shown now{record.distance.load(), record.clicks.load(), record.keystrokes.load(),
              look_.text, look_.result, look_.picture.get(), true};
    if (now == shown_) return {};
    shown_ = now;
    draw_face(face_image_, look_.picture.get(), now.text, now.result, distance_value_text(now.distance),
              count_value_text(now.clicks), count_value_text(now.keystrokes));
    return changed_rows(face_image_, painted_face_);
}

void MeterWindow::redraw_face() {
    redraw_pending_.store(false);
    QRegion changed;
    {
        std::lock_guard guard(face_lock_);
        // Colours and picture are the GUI thread's; they reach the face here.
        look_ = {config().text_color, config().result_color, skin_picture_};
        changed = draw_changes();
        if (paints_directly_) {
            if (!changed.isEmpty() && shown_window_ != 0) show_face(shown_window_, changed, true);
            return;
        }
    }
    // Painted at once rather than through a posted update, which would wake
    // the event loop once more.
    if (!changed.isEmpty()) repaint(changed);
}

void MeterWindow::totals_changed() {
    if (!paints_directly_) {
        request_redraw();
        return;
    }
    // Drawn and sent by the reporting thread itself: the GUI thread does not
    // wake for a change of the totals.
    std::lock_guard guard(face_lock_);
    // The first drawing on a thread loads its fonts and glyphs, which takes
    // long enough to hold up the sampler's next polls: done on its first
    // report, which comes before it counts anything, on a scratch face.
    thread_local const bool prepared = [this] {
        QImage scratch = make_face_image();
        draw_face(scratch, nullptr, look_.text, look_.result, "0123456789", "1.234,56 m", "78,9 km cm");
        return true;
    }();
    (void)prepared;
    const QRegion changed = draw_changes();
    if (changed.isEmpty() || shown_window_ == 0) return;
    // The sampler must never wait for the display: while it takes nothing,
    // the GUI thread sends the whole face once it can.
    if (!show_face(shown_window_, changed, false)) {
        painted_face_ = QImage();
        shown_ = Shown{};
        request_redraw();
    }
}

bool MeterWindow::show_face(std::uintptr_t window, const QRegion& region, bool may_wait) {
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(face_image_.constBits());
    const int row_pixels = static_cast<int>(face_image_.bytesPerLine() / 4);
    for (const QRect& rect : region) {
        const QRect area = rect & face_image_.rect();
        if (area.isEmpty()) continue;
        if (!platform::show_pixels(window, area.x(), area.y(), area.width(), area.height(),
                                   pixels + area.y() * row_pixels + area.x(), row_pixels, may_wait))
            return false;
    }
    return true;
}

QPaintEngine* MeterWindow::paintEngine() const {
    // None while painting directly: Qt then leaves the window to paintEvent.
    return paints_directly_ ? nullptr : QWidget::paintEngine();
}

void MeterWindow::request_redraw() {
    // Requests arriving while one is on its way join it. The sampler reports
    // at most once per face period, so this redraws at once.
    if (redraw_pending_.exchange(true)) return;
    QMetaObject::invokeMethod(this, [this] { redraw_face(); }, Qt::QueuedConnection);
}

void MeterWindow::set_skin_picture(std::shared_ptr<const QImage> picture) {
    // The old picture lives on in any copy still held; the swap is one step on
    // the GUI thread, so a redraw never sees a released picture.
    skin_picture_ = std::move(picture);
    request_redraw();
}

void MeterWindow::apply_topmost(bool topmost) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) return;
    const QPoint where = pos();
    setWindowFlags(meter_flags(topmost));
    move(where);
    shape_meter_window(*this);
    if (!hidden_) show();
}

void MeterWindow::set_meter_hidden(bool hidden) {
    hidden_ = hidden;
    if (hidden) {
        hide();
    } else {
        showNormal();
        redraw_face();
    }
}

void MeterWindow::showEvent(QShowEvent*) {
    std::lock_guard guard(face_lock_);
    shown_window_ = static_cast<std::uintptr_t>(winId());
}

void MeterWindow::hideEvent(QHideEvent*) {
    // Before Qt may replace the native window (topmost change).
    std::lock_guard guard(face_lock_);
    shown_window_ = 0;
}

void MeterWindow::paintEvent(QPaintEvent* event) {
    std::lock_guard guard(face_lock_);
    if (paints_directly_) {
        show_face(static_cast<std::uintptr_t>(winId()), event->region(), true);
        return;
    }
    QPainter painter(this);
    // In strips: the paint engine hands a whole-face blit to its thread pool,
    // waking two more threads on every redraw for a 40 KB copy.
    constexpr int strip = 10;
    for (const QRect& rect : event->region()) {
        const QRect area = rect & face_image_.rect();
        for (int y = area.top(); y <= area.bottom(); y += strip) {
            const QRect band(area.left(), y, area.width(), std::min(strip, area.bottom() + 1 - y));
            painter.drawImage(band.topLeft(), face_image_, band);
        }
    }
}

void MeterWindow::closeEvent(QCloseEvent* event) {
    // Only "Beenden" ends the program; Alt+F4 and the like are ignored.
    event->ignore();
}

void MeterWindow::enterEvent(QEnterEvent*) { emit pointer_entered(); }

void MeterWindow::mousePressEvent(QMouseEvent*) { emit button_pressed(); }

void shape_meter_window(QWidget& meter) {
    meter.setMask(meter_region());
    // While still hidden, so that it never gets a taskbar button.
    platform::exclude_from_taskbar(static_cast<std::uintptr_t>(meter.winId()));
}

MeterWindow* create_meter_window(std::shared_ptr<const QImage> skin_picture) {
    auto* meter = new MeterWindow();
    set_meter_window(meter);
    meter->set_skin_picture(std::move(skin_picture));
    meter->show();
    meter->redraw_face();
    return meter;
}

MeterWindow* meter_window() { return the_meter; }
void set_meter_window(MeterWindow* meter) { the_meter = meter; }

void apply_meter_topmost() {
    if (the_meter) the_meter->apply_topmost(config().always_on_top != 0);
}

void replace_skin_picture(std::shared_ptr<const QImage> picture) {
    if (the_meter) the_meter->set_skin_picture(std::move(picture));
}

void request_face_redraw() {
    if (the_meter) the_meter->request_redraw();
}

void report_totals_changed() {
    if (the_meter) the_meter->totals_changed();
}

}  // namespace pendolux::gui
