#include "core/records/usage_log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "core/config/program_state.h"
#include "core/measure/measure.h"
#include "core/records/local_seconds.h"
#include "core/records/records.h"
#include "core/records/usage_record.h"

namespace pendolux {
namespace {

// Written on the main thread only; atomic so that tests may drive it from any thread.
std::atomic<std::int32_t> last_logged_distance{0};

// Every tally is taken with one atomic exchange: a press counted by the sampler
// either lands in this record or stays for the next one.
KeyTallies take_all_key_tallies() {
    KeyTallies tallies{};
    for (int code = 0; code < key_code_count; ++code) tallies[static_cast<std::size_t>(code)] = take_key_tally(code);
    return tallies;
}

}  // namespace

void append_record_to_file(const std::string& path, const std::vector<std::uint8_t>& record) {
    // O_NONBLOCK: a FIFO named like the log must not hang the main thread.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const ssize_t written = ::write(fd, record.data(), record.size());
        if (written > 0 && static_cast<std::size_t>(written) < record.size()) {
            [[maybe_unused]] const int ignored = ::ftruncate(fd, info.st_size);
        }
    }
    ::close(fd);
}

void append_usage_record() {
    ConfigRecord& record = config();
    if (record.logging != 1) return;

    const std::int32_t time = local_seconds_now();
    const KeyTallies tallies = take_all_key_tallies();
    // One reading: movement after it belongs to the next record.
    const std::int32_t distance = record.distance.load();
    const std::int32_t previous = last_logged_distance.exchange(distance);
    const auto delta = static_cast<std::int32_t>(static_cast<std::uint32_t>(distance) - static_cast<std::uint32_t>(previous));

    // The tallies and the distance are consumed whether or not the file can be written.
    append_record_to_file(program_file_path(usage_log_file_name), encode_usage_record(time, delta, tallies));
}

void set_distance_at_last_log(std::int32_t distance) { last_logged_distance.store(distance); }
std::int32_t distance_at_last_log() { return last_logged_distance.load(); }

}  // namespace pendolux
