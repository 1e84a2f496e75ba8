#pragma once
// Our own thin layer in place of the Windows platform calls. Declared once here;
// CMake links exactly one implementation (x11/, fake/, later win32/).
#include <cstdint>
#include <string>

namespace pendolux::platform {

// Start-up step 1: connects to the display and starts whatever the platform
// needs to answer the queries below. Returns false when no display can be used.
bool initialise();

struct DisplaySize {
    int width = 0;
    int height = 0;
};
// The primary display's size in pixels (primary output's mode, else the screen size).
DisplaySize primary_display_size();

struct Point {
    int x = 0;
    int y = 0;
};
// The pointer position in screen pixels (GetCursorPos). When the query fails,
// the last position obtained is returned.
Point pointer_position();

// GetAsyncKeyState for the Windows virtual-key codes 0-256: bit 0x8000 while the
// key or button is down now, bit 0x0001 when it was pressed since the calling
// thread's previous query of the same code. Each thread sees its own "pressed
// since" bit, so the main loop and the sampler cannot steal presses from each other.
// Codes outside 0-255 read 0.
std::int16_t async_key_state(int code);

// For the one thread that samples the pointer many times a second: asks for
// the position without waiting for the answer, which arrives while the thread
// sleeps and is picked up by take_pointer_position. One request at a time.
void request_pointer_position();
// The answer to the last request once it has arrived, and only once; false
// (position untouched) while none is waiting.
bool take_pointer_position(Point& position);

// For the one sampler thread. Blocks until input (a key, a button or pointer
// motion) is waiting, or until timeout_ms has passed; returns true when input
// is waiting. Lets the sampler sleep while nothing happens instead of polling.
// Where the key state is not changed behind the caller's back, waiting input
// reaches async_key_state only through apply_input, so the caller can look at
// the state as it stood before the input. apply_input returns whether the
// pointer was moved by a device (a pointer moved by a program raises no input).
bool wait_for_input(int timeout_ms);
bool apply_input();

// True while the platform can report key and button state at all.
bool input_available();

// The full file name of the running executable, and its folder with a trailing '/'.
std::string program_file();
std::string program_folder();

struct LocalTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
// The system clock's local wall-clock date and time.
LocalTime local_time();

// Registers (enabled) or removes (disabled) the program for autostart with the
// desktop session. Failures are silent.
void set_autostart(bool enabled, const std::string& program_file);

// Puts a rectangle of pixels (0xffRRGGBB, rows row_pixels apart) straight
// into a shown native window, as SetDIBitsToDevice does, without the
// toolkit's backing store, from any thread; calls must not overlap. Only
// while can_show_pixels(window) is true (the window has the depth of the
// screen, and the display takes our pixel layout; a window the display does
// not know yet reads as false); otherwise the caller paints through its
// toolkit. Without may_wait it never blocks: while the display takes nothing
// (another program holds it) it returns false, and whatever was cut short
// goes out before the next put; the caller shows those pixels again later.
bool can_show_pixels(std::uintptr_t native_window);
bool show_pixels(std::uintptr_t native_window, int x, int y, int width, int height, const std::uint32_t* pixels,
                 int row_pixels, bool may_wait);

// Keeps a top-level window (its native id, not yet shown) out of the taskbar
// and the pager, as a tool window is on Windows.
void exclude_from_taskbar(std::uintptr_t native_window);

}  // namespace pendolux::platform
