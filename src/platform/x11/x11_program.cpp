// The program's own file and folder, and the local clock.
#include <time.h>
#include <unistd.h>

#include <ctime>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pendolux::platform {

std::string program_file() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);  // possibly cut: try again with more room
    }
}

std::string program_folder() {
    const std::string file = program_file();
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string("./") : file.substr(0, slash + 1);
}

LocalTime local_time() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (::localtime_r(&now, &parts) == nullptr) return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace pendolux::platform
