// The sampler thread: counts every up-to-down transition of the codes 0-256
// and measures pointer travel, without hooks, by polling the platform's
// asynchronous key state.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <utility>

#include "core/config/program_state.h"
#include "core/config/shared_int32.h"
#include "core/measure/key_codes.h"
#include "core/measure/measure.h"
#include "core/measure/sampler_cycle.h"
#include "platform/platform.h"

namespace pendolux {
namespace {

// 1 while the code has been seen down. Sampler thread only.
std::array<std::uint8_t, key_code_count> key_down{};
// Presses per code; the usage log takes them with an exchange, so a press
// counted during the take lands either in the taken value or in the next one.
std::array<SharedInt32, key_code_count> key_tallies{};

std::function<void()> on_change_handler;  // set before the thread starts
std::atomic<bool> sampler_started{false};

}  // namespace

bool poll_keys_counting() {
    bool changed = false;
    ConfigRecord& record = config();
    for (int code = 0; code < key_code_count; ++code) {
        // Down now or pressed since the previous query: either bit is a press.
        if (platform::async_key_state(code) == 0) {
            key_down[code] = 0;
            continue;
        }
        if (key_down[code] != 0) continue;  // still held
        key_down[code] = 1;
        key_tallies[code].add_saturating(1);
        if (is_click_code(code)) {
            record.clicks.add_saturating(1);
            changed = true;
        } else if (!is_uncounted_code(code)) {
            record.keystrokes.add_saturating(1);
            changed = true;
        }
    }
    return changed;
}

void poll_keys() { poll_keys_counting(); }

std::int32_t key_tally(int code) {
    if (code < 0 || code >= key_code_count) return 0;
    return key_tallies[code].load();
}

std::int32_t take_key_tally(int code) {
    if (code < 0 || code >= key_code_count) return 0;
    return key_tallies[code].exchange(0);
}

void clear_key_down() { key_down.fill(0); }

bool any_key_marked_down() {
    for (const std::uint8_t down : key_down)
        if (down != 0) return true;
    return false;
}

void run_sampler(void*) {
    using Clock = std::chrono::steady_clock;
    using sampler_pacing::Milliseconds;
    // Nothing to set up per thread: the platform keeps each thread's
    // "pressed since the last query" bits on its own.
    auto since = [](Clock::time_point then) {
        return std::chrono::duration_cast<Milliseconds>(Clock::now() - then);
    };
    Clock::time_point last_pointer_sample = Clock::now() - sampler_pacing::quiet_pointer_period;
    bool input_arrived = true;
    for (;;) {
        const Clock::time_point cycle_start = Clock::now();
        bool changed = poll_keys_counting();
        if (sampler_pacing::pointer_due(input_arrived, since(last_pointer_sample))) {
            last_pointer_sample = Clock::now();
            if (distance_step_counting() != 0) changed = true;
        }
        if (changed && on_change_handler) on_change_handler();
        // While nothing happens the key state cannot change: block until input
        // arrives or the next quiet pointer sample is due. Then keep at least
        // one cycle between two polls, so presses are counted exactly as by a
        // fixed 5 ms poll, with one wake-up per cycle.
        // A code still marked down must be polled again one cycle later, or a
        // quick second press would read as the first one still held.
        const Milliseconds wait =
            any_key_marked_down() ? Milliseconds{0} : sampler_pacing::quiet_wait(since(last_pointer_sample));
        input_arrived = platform::wait_for_input(static_cast<int>(wait.count()));
        std::this_thread::sleep_until(cycle_start + sampler_pacing::cycle);
    }
}

void start_sampler(std::function<void()> on_change) {
    // One sampler per process: a second one would count every press twice.
    if (sampler_started.exchange(true)) return;
    on_change_handler = std::move(on_change);
    std::thread(run_sampler, nullptr).detach();
}

}  // namespace pendolux
