// Window-manager hints the toolkit does not set for us.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <mutex>

#include "platform/platform.h"

namespace pendolux::platform {
namespace {

Display* hint_connection() {
    static Display* display = XOpenDisplay(nullptr);
    return display;
}

}  // namespace

void exclude_from_taskbar(std::uintptr_t native_window) {
    static std::mutex lock;
    std::lock_guard guard(lock);
    Display* display = hint_connection();
    if (display == nullptr || native_window == 0) return;
    const auto window = static_cast<Window>(native_window);
    Atom states[] = {XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                     XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False)};
    // Before the window is mapped the state is a plain property (EWMH).
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<unsigned char*>(states), 2);
    XFlush(display);
}

}  // namespace pendolux::platform
