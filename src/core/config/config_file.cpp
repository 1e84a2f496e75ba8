#include "core/config/config_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/config/program_state.h"

namespace pendolux {
namespace {

constexpr const char* config_file_name = "config.dat";

// The newly created config.dat held by start-up on a first start.
int held_config_fd = -1;

// Exclusive while open: a second opener (another save, or the file held at a
// first start) finds it busy and skips, as a share-read-only open would.
int open_exclusive(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

ConfigLoad load_config_file(ConfigRecord& record, const std::string& path, int display_width,
                            int display_height) {
    record = ConfigRecord{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ConfigImage image{};
        std::size_t filled = 0;
        // One read in spirit: loop only over short reads of a regular file.
        while (filled < image.size()) {
            const ssize_t got = ::read(fd, image.data() + filled, image.size() - filled);
            if (got <= 0) break;
            filled += static_cast<std::size_t>(got);
        }
        ::close(fd);
        unpack_config(image.data(), filled, record);
        return ConfigLoad::loaded;
    }
    if (held_config_fd >= 0) ::close(held_config_fd);
    held_config_fd = open_exclusive(path, O_RDWR | O_CREAT);
    apply_first_start_defaults(record, display_width, display_height);
    return ConfigLoad::created;
}

void save_config_file(const ConfigRecord& record, const std::string& path) {
    const ConfigImage image = pack_config(record);
    const int fd = open_exclusive(path, O_RDWR | O_CREAT);
    if (fd < 0) return;
    // A short write is not noticed, as with every file error of the program.
    [[maybe_unused]] const ssize_t written = ::pwrite(fd, image.data(), image.size(), 0);
    ::close(fd);
}

ConfigLoad load_config(int display_width, int display_height) {
    return load_config_file(config(), program_file_path(config_file_name), display_width, display_height);
}

void close_new_config() {
    if (held_config_fd >= 0) ::close(held_config_fd);
    held_config_fd = -1;
}

void save_config() { save_config_file(config(), program_file_path(config_file_name)); }

}  // namespace pendolux
