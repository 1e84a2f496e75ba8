// Autostart on Linux: an XDG autostart entry for the desktop session.
#include <pwd.h>
#include <cerrno>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/x11/autostart_entry.h"

namespace pendolux::platform {
namespace {

// From the password database: the program reads no environment variables.
std::string home_folder() {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 4096);
    struct passwd entry {};
    struct passwd* found = nullptr;
    int error = 0;
    while ((error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (error != 0 || found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/') return {};
    return found->pw_dir;
}

}  // namespace

void set_autostart(bool enabled, const std::string& program_file) {
    x11::set_autostart_in(enabled, program_file, x11::system_autostart_folder, home_folder());
}

}  // namespace pendolux::platform
