#pragma once
// Start-up, the timers and the one way out.
class QApplication;

namespace pendolux::gui {

// Runs start-up in its fixed order and then the event loop; returns the exit code.
int run_pendolux(QApplication& app);

// Saves the record, removes the tray icon, closes the windows and ends the
// process with exit code 0. Never returns.
[[noreturn]] void quit_program();

}  // namespace pendolux::gui
