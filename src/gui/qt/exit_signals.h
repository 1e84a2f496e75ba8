#pragma once
#include <functional>

namespace pendolux::gui {
// SIGTERM, SIGINT and SIGHUP run on_signal on the GUI thread (through a
// self-pipe), so ending the process that way loses no counts.
void route_exit_signals(std::function<void()> on_signal);
}  // namespace pendolux::gui
