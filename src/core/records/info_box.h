#pragma once
// What the Info box shows, and the flag that keeps it to one box at a time.
#include <string>
#include <string_view>

namespace pendolux {

// "Pendolux", LF, "Zurückgesetzt am " + stamp, LF LF, credits; Windows-1252.
// stamp is the reset_stamp field's text (bytes up to its first zero, at most 24).
std::string info_text(std::string_view stamp);

// info_open: true while an Info box is open. May be read and written from
// different threads.
bool info_open();
void set_info_open(bool open);

}  // namespace pendolux
