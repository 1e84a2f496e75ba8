#pragma once
// Test control of the fake platform: tests set what the "system" reports.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pendolux::fake_platform {

void reset();  // everything back to its start state
void set_display_size(int width, int height);
void set_pointer(int x, int y);   // as a program moves it: no input event
void move_pointer(int x, int y);  // as a device moves it: input that wakes wait_for_input
void set_key_down(int code, bool down);  // down now (counts as a press when it goes down)
void tap_key(int code);                  // press and release between two queries
// From now until reset(), key changes reach async_key_state only through
// apply_input, as with the X11 platform (by default they do at once).
void defer_input();
void set_program_folder(const std::string& folder);  // with trailing '/'
void set_local_time(const platform::LocalTime& time);
void set_input_available(bool available);

// Autostart as the program last set it.
bool autostart_enabled();
std::string autostart_program_file();
int pointer_queries();  // how many times the pointer position was read or asked for

// Pixels put straight into windows: off by default, so windows paint through
// the toolkit; when on, every put is kept.
void set_can_show_pixels(bool can);
struct ShownPixels {
    std::uintptr_t window = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // row by row
};
std::vector<ShownPixels> take_shown_pixels();
// While busy, puts that may not wait are refused, as when another program holds the display.
void set_display_busy(bool busy);

}  // namespace pendolux::fake_platform
