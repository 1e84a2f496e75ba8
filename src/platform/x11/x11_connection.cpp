#include "platform/x11/x11_connection.h"

#include <array>
#include <atomic>
#include <mutex>

namespace pendolux::x11 {
namespace {

struct Adopted {
    std::atomic<Display*> display{nullptr};
    std::atomic<bool> lost{false};
};
std::array<Adopted, 4> adopted;
XIOErrorHandler previous_handler = nullptr;

Adopted* find(Display* display) {
    for (Adopted& entry : adopted) {
        if (entry.display.load() == display) return &entry;
    }
    return nullptr;
}

// Process-wide Xlib handler: quiet for our connections, unchanged for others.
int on_io_error(Display* display) {
    if (Adopted* entry = find(display)) {
        entry->lost.store(true);
        return 0;
    }
    return previous_handler != nullptr ? previous_handler(display) : 0;
}

// Per connection, called instead of exit(): Xlib then turns every later call
// on the connection into a no-op.
void keep_running(Display* display, void*) {
    if (Adopted* entry = find(display)) entry->lost.store(true);
}

}  // namespace

void adopt_connection(Display* display) {
    static std::once_flag once;
    std::call_once(once, [] { previous_handler = XSetIOErrorHandler(on_io_error); });
    for (Adopted& entry : adopted) {
        Display* expected = nullptr;
        if (entry.display.compare_exchange_strong(expected, display)) break;
    }
    XSetIOErrorExitHandler(display, keep_running, nullptr);
}

bool connection_lost(Display* display) {
    const Adopted* entry = find(display);
    return entry != nullptr && entry->lost.load();
}

}  // namespace pendolux::x11
