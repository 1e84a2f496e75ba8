#include "platform/x11/autostart_entry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace pendolux::x11 {
namespace {

bool is_reserved_in_exec(char c) {
    return c != '\0' && std::strchr(" \t\n\"'\\><~|&;$*?#`()", c) != nullptr;
}

bool write_all(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Written beside the entry and renamed over it, so that a session starting
// meanwhile never reads half an entry.
bool write_entry(const std::string& folder, const std::string& text) {
    const std::string path = folder + "/" + autostart_entry_name;
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = write_all(fd, text);
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

// True when no entry is left in the folder.
bool remove_entry(const std::string& folder) {
    const std::string path = folder + "/" + autostart_entry_name;
    if (::unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR) return true;
    struct stat info {};
    return ::lstat(path.c_str(), &info) != 0;
}

// Creates the user's folder and any missing parent below home, private as
// user configuration folders are.
void make_user_folder(const std::string& home_folder) {
    ::mkdir((home_folder + "/.config").c_str(), 0700);
    ::mkdir(user_autostart_folder(home_folder).c_str(), 0700);
}

}  // namespace

std::string desktop_exec_value(const std::string& program_file) {
    bool needs_quotes = program_file.empty();
    for (const char c : program_file)
        if (is_reserved_in_exec(c)) needs_quotes = true;

    // First the quoting of the Exec key, then the escapes every string value has.
    std::string argument;
    for (const char c : program_file) {
        if (needs_quotes && (c == '"' || c == '`' || c == '$' || c == '\\')) argument += '\\';
        argument += c;
    }
    if (needs_quotes) argument = "\"" + argument + "\"";

    std::string value;
    for (const char c : argument) {
        switch (c) {
            case '\\': value += "\\\\"; break;
            case '\n': value += "\\n"; break;
            case '\t': value += "\\t"; break;
            case '\r': value += "\\r"; break;
            case '%': value += "%%"; break;  // not a field code
            default: value += c;
        }
    }
    return value;
}

std::string autostart_entry_text(const std::string& program_file, bool hidden) {
    std::string text = "[Desktop Entry]\nType=Application\nName=Pendolux\nExec=" + desktop_exec_value(program_file) +
                       "\nTerminal=false\n";
    if (hidden) text += "Hidden=true\n";
    return text;
}

std::string user_autostart_folder(const std::string& home_folder) { return home_folder + "/.config/autostart"; }

void set_autostart_in(bool enabled, const std::string& program_file, const std::string& system_folder,
                      const std::string& home_folder) {
    const bool have_home = !home_folder.empty();
    const std::string user_folder = user_autostart_folder(home_folder);
    if (enabled) {
        if (write_entry(system_folder, autostart_entry_text(program_file, false))) {
            // A user entry of the same name would take its place, hidden or stale.
            if (have_home) remove_entry(user_folder);
            return;
        }
        if (!have_home) return;
        make_user_folder(home_folder);
        write_entry(user_folder, autostart_entry_text(program_file, false));
        return;
    }
    const bool system_clear = remove_entry(system_folder);
    if (!have_home) return;
    if (system_clear) {
        remove_entry(user_folder);
    } else {
        make_user_folder(home_folder);
        write_entry(user_folder, autostart_entry_text(program_file, true));
    }
}

}  // namespace pendolux::x11
