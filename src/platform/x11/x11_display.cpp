// The query connection: display size and pointer position, shared by the
// threads that ask for them.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <atomic>
#include <cstdio>
#include <mutex>

#include "platform/platform.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_input.h"
#include "platform/x11/x11_pointer_requests.h"

namespace pendolux::platform {
namespace {

Display* query_display = nullptr;
std::mutex query_lock;  // one request at a time on the shared connection
Point last_pointer;     // guarded by query_lock

}  // namespace

bool initialise() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        XInitThreads();
        query_display = XOpenDisplay(nullptr);
        if (query_display == nullptr) {
            std::fprintf(stderr, "pendolux: cannot open the X display\n");
            return;
        }
        x11::adopt_connection(query_display);
        ready = true;
        x11::open_input_connection();  // without it the gadget runs, counting no keys or clicks
        x11::open_pointer_requests();
    });
    return ready;
}

DisplaySize primary_display_size() {
    std::lock_guard guard(query_lock);
    if (query_display == nullptr || x11::connection_lost(query_display)) return {};
    Display* display = query_display;
    const Window root = DefaultRootWindow(display);
    DisplaySize size{DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display))};
    int event_base = 0, error_base = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &event_base, &error_base) || !XRRQueryVersion(display, &major, &minor) ||
        (major == 1 && minor < 3))
        return size;
    const RROutput primary = XRRGetOutputPrimary(display, root);
    XRRScreenResources* resources = primary != None ? XRRGetScreenResourcesCurrent(display, root) : nullptr;
    if (resources == nullptr) return size;
    if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary)) {
        if (output->crtc != None) {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc)) {
                // The crtc's size is the mode's, already turned by any rotation.
                if (crtc->width > 0 && crtc->height > 0)
                    size = {static_cast<int>(crtc->width), static_cast<int>(crtc->height)};
                XRRFreeCrtcInfo(crtc);
            }
        }
        XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return size;
}

Point pointer_position() {
    std::lock_guard guard(query_lock);
    if (query_display == nullptr || x11::connection_lost(query_display)) return last_pointer;
    Window root = None, child = None;
    int root_x = 0, root_y = 0, window_x = 0, window_y = 0;
    unsigned int buttons = 0;
    // On another screen the call returns False but still reports that screen's root position.
    XQueryPointer(query_display, DefaultRootWindow(query_display), &root, &child, &root_x, &root_y, &window_x,
                  &window_y, &buttons);
    if (root != None) last_pointer = {root_x, root_y};
    return last_pointer;
}

}  // namespace pendolux::platform
