#pragma once
// The meter: a 100 x 100 frameless round tile showing the face image.
#include <QImage>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "core/app/main_loop.h"
#include "core/config/config_record.h"

namespace pendolux::gui {

class MeterWindow : public QWidget {
    Q_OBJECT
public:
    MeterWindow();

    // GUI thread: takes colours and picture from the record and the skin, and
    // paints the face when anything it shows changed.
    void redraw_face();
    // Thread-safe: asks for a redraw on the GUI thread (coalesced).
    void request_redraw();
    // Thread-safe, for the sampler: the totals changed. Where the face goes
    // straight to the window, the calling thread draws and sends it; otherwise
    // a redraw is requested.
    void totals_changed();

    void set_skin_picture(std::shared_ptr<const QImage> picture);
    void apply_topmost(bool topmost);
    void set_meter_hidden(bool hidden);

    MeterPlace place() const { return {x(), y()}; }
    const QImage& face_image() const { return face_image_; }

signals:
    void pointer_entered();  // the pointer is over the meter: the main loop has work
    void button_pressed();

protected:
    QPaintEngine* paintEngine() const override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Shown {
        std::int32_t distance = 0, clicks = 0, keystrokes = 0;
        ColorTriple text, result;
        const QImage* picture = nullptr;
        bool valid = false;
        bool operator==(const Shown&) const = default;
    };

    struct Look {
        ColorTriple text, result;
        std::shared_ptr<const QImage> picture;
    };

    // Under face_lock_: draws what changed, returns the rows that differ from
    // what was last sent.
    QRegion draw_changes();
    // False when the display took not all of it without waiting.
    bool show_face(std::uintptr_t window, const QRegion& region, bool may_wait);

    bool paints_directly_ = false;  // the face goes to the window without Qt's backing store
    std::shared_ptr<const QImage> skin_picture_;  // GUI thread
    // The face and what it was drawn from; the sampler draws too.
    std::mutex face_lock_;
    Look look_;
    std::uintptr_t shown_window_ = 0;  // the native window while shown, else 0
    QImage face_image_;
    QImage painted_face_;  // the face as last sent to the display
    Shown shown_;
    std::atomic<bool> redraw_pending_{false};
    bool hidden_ = false;
};

// Shapes the window as the round tile and keeps it out of the taskbar.
void shape_meter_window(QWidget& meter);
// Start-up: creates, shapes and shows the one meter with the skin picture.
MeterWindow* create_meter_window(std::shared_ptr<const QImage> skin_picture);
// The one meter of the process (null before start-up creates it).
MeterWindow* meter_window();
void set_meter_window(MeterWindow* meter);

}  // namespace pendolux::gui
