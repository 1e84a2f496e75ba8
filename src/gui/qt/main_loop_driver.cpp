#include "gui/qt/main_loop_driver.h"

#include <QMenu>

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "gui/qt/application.h"
#include "gui/qt/dialog_launchers.h"
#include "gui/qt/meter_window.h"
#include "platform/platform.h"

namespace pendolux::gui {
namespace {
constexpr int pass_period_ms = 25;
constexpr int vk_lbutton = 1;
}  // namespace

MainLoopDriver::MainLoopDriver(MeterWindow* meter, QSystemTrayIcon* tray, QMenu* menu)
    : meter_(meter), tray_(tray), menu_(menu) {
    pass_timer_.setInterval(pass_period_ms);
    connect(&pass_timer_, &QTimer::timeout, this, &MainLoopDriver::run_pass);
    connect(tray_, &QSystemTrayIcon::activated, this, &MainLoopDriver::on_tray_activated);
    connect(meter_, &MeterWindow::pointer_entered, this, &MainLoopDriver::wake);
    connect(meter_, &MeterWindow::button_pressed, this, &MainLoopDriver::wake);
    const auto actions = menu_->actions();
    for (QAction* action : actions) {
        const int id = action->data().toInt();
        connect(action, &QAction::triggered, this, [this, id] {
            LoopEvent event;
            event.kind = LoopEvent::Kind::menu;
            event.menu_id = id;
            queue_event(event);
        });
    }
}

void MainLoopDriver::queue_event(const LoopEvent& event) {
    events_.push_back(event);
    wake();
}

void MainLoopDriver::wake() {
    if (!pass_timer_.isActive()) pass_timer_.start();
}

void MainLoopDriver::on_tray_activated(QSystemTrayIcon::ActivationReason reason) {
    LoopEvent event;
    event.kind = LoopEvent::Kind::tray;
    event.tray = reason == QSystemTrayIcon::Context       ? TrayMessage::right_button_down
                 : reason == QSystemTrayIcon::DoubleClick ? TrayMessage::left_double_click
                                                          : TrayMessage::other;
    queue_event(event);
}

void MainLoopDriver::run_pass() {
    // The popup menu and the reset question run nested event loops; no pass
    // runs its tests while one of them is open.
    if (in_pass_) return;
    in_pass_ = true;
    PassInput input;
    if (!events_.empty()) {
        input.event = events_.front();
        events_.pop_front();
    }
    const platform::Point pointer = platform::pointer_position();
    input.x = pointer.x;
    input.y = pointer.y;
    input.meter = meter_->place();
    input.meter_foreground = meter_->isActiveWindow();
    input.left_button = [] { return platform::async_key_state(vk_lbutton) != 0; };

    const PassResult result = main_loop_pass(state_, input);
    switch (result.branch) {
    case PassBranch::show_menu:
        meter_->activateWindow();
        menu_->exec(QPoint(input.x, input.y));
        break;
    case PassBranch::toggle_meter:
        meter_->set_meter_hidden(!result.show_meter);
        break;
    case PassBranch::release_or_hover:
        config().window_x = input.meter.left;
        config().window_y = input.meter.top;
        save_config();
        break;
    case PassBranch::menu_action:
        act_on_menu(result.menu_id);
        break;
    case PassBranch::drag_start:
    case PassBranch::none:
        break;
    }
    if (result.move_meter) meter_->move(result.move_left, result.move_top);

    const platform::Point now = platform::pointer_position();
    if (events_.empty() && !pass_needed(state_, meter_->place(), now.x, now.y)) pass_timer_.stop();
    in_pass_ = false;
}

void MainLoopDriver::act_on_menu(int id) {
    switch (id) {
    case menu_settings: open_settings_dialog(); break;
    case menu_skin_chooser: open_skin_chooser(); break;
    case menu_skin_creator: open_skin_creator(); break;
    case menu_reset: confirm_reset(); break;
    case menu_info: open_info_box(); break;
    case menu_quit: quit_program(); break;
    default: break;
    }
}

}  // namespace pendolux::gui
