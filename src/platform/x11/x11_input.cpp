// Key and button state from XInput2 raw events, read by the sampler thread on
// a connection of its own. Raw events reach this client
// whatever window has the focus, which is what makes the counting
// system-wide; with XInput 2.2 they arrive even while another client holds a grab.
#include "platform/x11/x11_input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <array>
#include <atomic>
#include <bitset>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "core/measure/key_codes.h"
#include "platform/platform.h"
#include "platform/x11/key_state.h"
#include "platform/x11/key_translation.h"
#include "platform/x11/x11_connection.h"

namespace pendolux::x11 {
namespace {

constexpr int keycode_count = 256;

std::atomic<bool> input_running{false};

struct InputConnection {
    Display* display = nullptr;
    int xi_opcode = 0;
    bool has_xkb = false;
    int xkb_event_base = 0;
    XkbDescPtr keymap = nullptr;
    int group = 0;
    unsigned int num_lock_mask = Mod2Mask;
    bool num_lock = false;
    // Keys and buttons down now, with the codes they reported when they went
    // down: a release takes back exactly those, even when NumLock or the
    // layout changed in between.
    std::bitset<keycode_count> key_held;
    std::array<VirtualKeys, keycode_count> key_codes{};
    std::bitset<keycode_count> button_held;
    std::array<VirtualKeys, keycode_count> button_codes{};
    // The events are read through XCB: Xlib's own reading tries the socket
    // three times for every event, XCB once.
    xcb_connection_t* xcb = nullptr;
    xcb_generic_event_t* waiting = nullptr;  // the first event not yet applied
};

void load_keymap(InputConnection& c) {
    if (!c.has_xkb) return;
    if (c.keymap != nullptr) XkbFreeKeyboard(c.keymap, 0, True);
    c.keymap = XkbGetMap(c.display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    const unsigned int mask = XkbKeysymToModifiers(c.display, XK_Num_Lock);
    c.num_lock_mask = mask != 0 ? mask : Mod2Mask;
}

KeySym symbol_at(const InputConnection& c, unsigned keycode, int level) {
    if (c.keymap == nullptr) {
        // No XKB: the core mapping's first group.
        return XkbKeycodeToKeysym(c.display, static_cast<KeyCode>(keycode), 0, level);
    }
    const XkbDescPtr map = c.keymap;
    if (keycode < map->min_key_code || keycode > map->max_key_code) return NoSymbol;
    const int groups = XkbKeyNumGroups(map, keycode);
    if (groups == 0) return NoSymbol;
    const int group = c.group >= groups ? c.group % groups : c.group;
    if (level >= XkbKeyGroupWidth(map, keycode, group)) return NoSymbol;
    return XkbKeySymEntry(map, keycode, level, group);
}

void key_down(InputConnection& c, unsigned keycode) {
    if (keycode >= keycode_count || c.key_held[keycode]) return;  // repeats change nothing
    const KeySymbols symbols{symbol_at(c, keycode, 0), symbol_at(c, keycode, 1)};
    const KeyContext context{c.num_lock, key_state::is_down(vk::control)};
    c.key_codes[keycode] = translate_key(keycode, symbols, context);
    c.key_held[keycode] = true;
    key_state::press(c.key_codes[keycode]);
}

void key_up(InputConnection& c, unsigned keycode) {
    if (keycode >= keycode_count || !c.key_held[keycode]) return;
    key_state::release(c.key_codes[keycode]);
    c.key_held[keycode] = false;
}

void button_down(InputConnection& c, unsigned button) {
    if (button >= keycode_count || c.button_held[button]) return;
    c.button_codes[button] = translate_button(button);
    c.button_held[button] = true;
    key_state::press(c.button_codes[button]);
}

void button_up(InputConnection& c, unsigned button) {
    if (button >= keycode_count || !c.button_held[button]) return;
    key_state::release(c.button_codes[button]);
    c.button_held[button] = false;
}

// Keys and buttons already held when counting starts count once, as with
// Windows, where they read down at the first poll.
void take_held_at_start(InputConnection& c) {
    char keys[32] = {};
    XQueryKeymap(c.display, keys);
    for (unsigned keycode = 8; keycode < keycode_count; ++keycode) {
        if ((static_cast<unsigned char>(keys[keycode / 8]) >> (keycode % 8)) & 1u) key_down(c, keycode);
    }
    Window root = None, child = None;
    int root_x = 0, root_y = 0, window_x = 0, window_y = 0;
    unsigned int mask = 0;
    XQueryPointer(c.display, DefaultRootWindow(c.display), &root, &child, &root_x, &root_y, &window_x, &window_y,
                  &mask);
    if (mask & Button1Mask) button_down(c, 1);
    if (mask & Button2Mask) button_down(c, 2);
    if (mask & Button3Mask) button_down(c, 3);
}

template <typename T>
T field_at(const xcb_generic_event_t& event, std::size_t offset) {
    T value{};
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&event) + offset, sizeof value);
    return value;
}

// Wire offsets from the XInput 2 and XKB protocol descriptions: a raw event
// has its type at 8 and the key code or button at 16; an XKB event its kind
// at 1, and a state notification the effective modifiers at 9 and group at 13.
constexpr std::size_t xi_event_type_at = 8, xi_detail_at = 16;
constexpr std::size_t xkb_kind_at = 1, xkb_mods_at = 9, xkb_group_at = 13;
constexpr std::uint8_t xkb_new_keyboard = 0, xkb_map = 1, xkb_state = 2;

// Applies one event; true when it was pointer motion.
bool handle_event(InputConnection& c, const xcb_generic_event_t& event) {
    const int type = event.response_type & 0x7F;
    if (type == XCB_GE_GENERIC) {
        const auto& generic = reinterpret_cast<const xcb_ge_generic_event_t&>(event);
        if (generic.extension != c.xi_opcode) return false;
        const auto detail = field_at<std::uint32_t>(event, xi_detail_at);
        switch (field_at<std::uint16_t>(event, xi_event_type_at)) {
        case XI_RawKeyPress: key_down(c, detail); break;
        case XI_RawKeyRelease: key_up(c, detail); break;
        case XI_RawButtonPress: button_down(c, detail); break;
        case XI_RawButtonRelease: button_up(c, detail); break;
        case XI_RawMotion: return true;
        default: break;
        }
        return false;
    }
    if (c.has_xkb && type == c.xkb_event_base) {
        switch (field_at<std::uint8_t>(event, xkb_kind_at)) {
        case xkb_state:
            c.group = field_at<std::uint8_t>(event, xkb_group_at);
            c.num_lock = (field_at<std::uint8_t>(event, xkb_mods_at) & c.num_lock_mask) != 0;
            break;
        case xkb_map:
        case xkb_new_keyboard: load_keymap(c); break;
        default: break;
        }
        return false;
    }
    if (type == XCB_MAPPING_NOTIFY) {
        const auto& wire = reinterpret_cast<const xcb_mapping_notify_event_t&>(event);
        XMappingEvent mapping{};
        mapping.type = MappingNotify;
        mapping.display = c.display;
        mapping.request = wire.request;
        mapping.first_keycode = wire.first_keycode;
        mapping.count = wire.count;
        XRefreshKeyboardMapping(&mapping);
    }
    return false;
}

InputConnection* input_connection = nullptr;  // set once before the sampler starts
std::mutex reader_lock;  // one reader of the connection at a time

bool lost(const InputConnection& c) { return xcb_connection_has_error(c.xcb) != 0 || connection_lost(c.display); }

// Applies the events already read from the connection. Reads nothing itself:
// wait_for_input has just read everything there was, and what arrives after
// it is found by the next wait at once.
bool drain(InputConnection& c) {
    bool pointer_moved = false;
    while (c.waiting != nullptr) {
        if (handle_event(c, *c.waiting)) pointer_moved = true;
        std::free(c.waiting);
        c.waiting = xcb_poll_for_queued_event(c.xcb);
    }
    if (lost(c)) input_running.store(false);
    return pointer_moved;
}

// Blocks until the connection has something to read or the deadline passes.
bool wait_readable(int fd, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd wanted{fd, POLLIN, 0};
        const int ready = ::poll(&wanted, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready > 0) return true;
        if (ready == 0 || errno != EINTR) return false;
    }
}

bool has_raw_input(Display* display, int& xi_opcode) {
    int event_base = 0, error_base = 0;
    if (!XQueryExtension(display, "XInputExtension", &xi_opcode, &event_base, &error_base)) return false;
    int major = 2, minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success) return false;
    return major > 2 || (major == 2 && minor >= 2);
}

void select_events(InputConnection& c) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XISetMask(bits, XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(c.display, DefaultRootWindow(c.display), &mask, 1);

    int opcode = 0, error_base = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    c.has_xkb = XkbQueryExtension(c.display, &opcode, &c.xkb_event_base, &error_base, &major, &minor);
    if (!c.has_xkb) return;
    const unsigned long map_events = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(c.display, XkbUseCoreKbd, map_events, map_events);
    const unsigned long state_details = XkbModifierStateMask | XkbGroupStateMask;
    XkbSelectEventDetails(c.display, XkbUseCoreKbd, XkbStateNotify, state_details, state_details);
    load_keymap(c);
    XkbStateRec state{};
    if (XkbGetState(c.display, XkbUseCoreKbd, &state) == Success) {
        c.group = state.group;
        c.num_lock = (state.mods & c.num_lock_mask) != 0;
    }
}

}  // namespace

bool open_input_connection() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "pendolux: cannot open the X display for input; keys, clicks and pointer travel "
                             "are not counted\n");
        return false;
    }
    int xi_opcode = 0;
    if (!has_raw_input(display, xi_opcode)) {
        std::fprintf(stderr, "pendolux: the X server offers no XInput 2.2 (XInputExtension); keys and clicks are "
                             "not counted\n");
        XCloseDisplay(display);
        return false;
    }
    adopt_connection(display);
    // Before any event is selected, so none lands in Xlib's queue.
    XSetEventQueueOwner(display, XCBOwnsEventQueue);
    auto* connection = new InputConnection;  // lives as long as the process
    connection->display = display;
    connection->xcb = XGetXCBConnection(display);
    connection->xi_opcode = xi_opcode;
    select_events(*connection);
    take_held_at_start(*connection);
    XSync(display, False);
    input_connection = connection;
    input_running.store(true);
    return true;
}

}  // namespace pendolux::x11

namespace pendolux::platform {

std::int16_t async_key_state(int code) { return x11::key_state::query(code); }

// The events are read by the sampler thread itself, right before it polls:
// a separate reader thread would wake once more for every event.
bool wait_for_input(int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    {
        std::lock_guard guard(x11::reader_lock);
        if (x11::input_running.load()) {
            x11::InputConnection& c = *x11::input_connection;
            if (c.waiting == nullptr) c.waiting = xcb_poll_for_queued_event(c.xcb);
            if (c.waiting != nullptr) return true;
            // Each read costs a system call, so the socket is read only
            // once poll says there is something.
            while (x11::wait_readable(xcb_get_file_descriptor(c.xcb), deadline)) {
                c.waiting = xcb_poll_for_event(c.xcb);
                // Readable but no whole event yet: the rest is on its way.
                if (c.waiting != nullptr || x11::lost(c)) return true;
            }
            return false;
        }
    }
    std::this_thread::sleep_until(deadline);
    return false;
}

bool apply_input() {
    std::lock_guard guard(x11::reader_lock);
    return x11::input_running.load() && x11::drain(*x11::input_connection);
}

bool input_available() { return x11::input_running.load(); }

}  // namespace pendolux::platform
