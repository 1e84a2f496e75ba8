#pragma once
// Autostart with the desktop session: a "Pendolux.desktop" entry in an XDG
// autostart folder. Kept apart from set_autostart() so that tests can point
// it at folders of their own.
#include <string>

namespace pendolux::x11 {

inline constexpr const char* system_autostart_folder = "/etc/xdg/autostart";
inline constexpr const char* autostart_entry_name = "Pendolux.desktop";

// The Exec value that starts the program by its full path, quoted and
// escaped as desktop entries require.
std::string desktop_exec_value(const std::string& program_file);

// The whole entry; a hidden entry in the user's folder cancels a system-wide
// one of the same name.
std::string autostart_entry_text(const std::string& program_file, bool hidden);

// home + "/.config/autostart"
std::string user_autostart_folder(const std::string& home_folder);

// Registers in the system folder, or in the user's own folder when the
// system folder cannot be written. Removing takes the entry out of both
// folders; a system entry that cannot be removed is hidden for this user.
void set_autostart_in(bool enabled, const std::string& program_file, const std::string& system_folder,
                      const std::string& home_folder);

}  // namespace pendolux::x11
