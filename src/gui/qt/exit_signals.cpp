#include "gui/qt/exit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace pendolux::gui {
namespace {

int signal_pipe[2] = {-1, -1};

void on_exit_signal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signal_pipe[1], &byte, 1);
}

}  // namespace

void route_exit_signals(std::function<void()> on_signal) {
    if (::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [on_signal = std::move(on_signal)] {
        char byte;
        while (::read(signal_pipe[0], &byte, 1) > 0) {
        }
        on_signal();
    });
    struct sigaction action {};
    action.sa_handler = on_exit_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal_number, &action, nullptr);
}

}  // namespace pendolux::gui
