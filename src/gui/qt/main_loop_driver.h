#pragma once
// Runs main-loop passes: the tray icon's and the menu's events queue up here,
// and a pass takes at most one of them. The pass timer (25 ms) runs only while
// a pass can do something — an event is queued, the meter is being dragged, or
// the pointer is over the meter — so an idle program does not wake up.
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <deque>

#include "core/app/main_loop.h"

class QMenu;

namespace pendolux::gui {

class MeterWindow;

class MainLoopDriver : public QObject {
    Q_OBJECT
public:
    MainLoopDriver(MeterWindow* meter, QSystemTrayIcon* tray, QMenu* menu);

    void queue_event(const LoopEvent& event);
    void run_pass();
    const MainLoopState& state() const { return state_; }

public slots:
    void wake();  // the pointer reached the meter or a button went down on it

private:
    void on_tray_activated(QSystemTrayIcon::ActivationReason reason);
    void act_on_menu(int id);

    MeterWindow* meter_;
    QSystemTrayIcon* tray_;
    QMenu* menu_;
    QTimer pass_timer_;
    std::deque<LoopEvent> events_;
    MainLoopState state_;
    bool in_pass_ = false;
};

}  // namespace pendolux::gui
