#pragma once
// Test control of the fake platform: tests set what the "system" reports.
#include <string>

#include "platform/platform.h"

namespace pendolux::fake_platform {

void reset();  // everything back to its start state
void set_display_size(int width, int height);
void set_pointer(int x, int y);
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

}  // namespace pendolux::fake_platform
