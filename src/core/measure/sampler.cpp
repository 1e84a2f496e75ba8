// The sampler thread: counts every up-to-down transition of the codes 0-256
// and measures pointer travel, without hooks, by polling the platform's
// asynchronous key state.
#include <algorithm>
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
    using namespace sampler_pacing;
    // Nothing to set up per thread: the platform keeps each thread's
    // "pressed since the last query" bits on its own.
    auto since = [](Clock::time_point then) {
        return std::chrono::duration_cast<Milliseconds>(Clock::now() - then);
    };
    Clock::time_point last_pointer_sample = Clock::now() - quiet_pointer_period;
    Clock::time_point last_report = Clock::now() - face_period;
    bool report_pending = false;
    Clock::time_point unreported_change;  // the oldest, while report_pending
    auto changed = [&] {
        if (!report_pending) unreported_change = Clock::now();
        report_pending = true;
    };
    // The pointer position is asked for in one cycle and measured in a later
    // one, so the sampler never sleeps just to wait for the answer.
    bool answer_pending = false;
    bool answer_for_motion = false;
    std::uint64_t answer_ticket = 0;
    bool pointer_moved = true;
    // One report before the first poll: whatever a report does the first
    // time on this thread is done before any press can wait for it.
    if (on_change_handler) on_change_handler();
    for (;;) {
        const Clock::time_point cycle_start = Clock::now();
        if (poll_keys_counting()) changed();

        if (answer_pending) {
            platform::Point at;
            if (platform::take_pointer_position(at)) {
                answer_pending = false;
                if (distance_step_from(at, answer_ticket) != 0) changed();
            } else if (since(last_pointer_sample) >= quiet_pointer_period) {
                answer_pending = false;  // never answered: ask again
            }
        }
        if (!answer_pending && pointer_due(pointer_moved, since(last_pointer_sample))) {
            last_pointer_sample = Clock::now();
            answer_ticket = distance_ticket();
            platform::request_pointer_position();
            answer_pending = true;
            answer_for_motion = pointer_moved;
        }

        // Changes are reported at most once per face period.
        if (report_due(report_pending, since(last_report))) {
            last_report = Clock::now();
            report_pending = false;
            if (on_change_handler) on_change_handler();
        }

        // While nothing happens the key state cannot change: block until input
        // arrives or something above falls due, and at least until this cycle
        // ends, since the next poll comes no earlier anyway.
        const Milliseconds wait =
            std::max(wait_before_next_cycle(since(last_pointer_sample), report_pending, since(unreported_change),
                                            answer_pending && answer_for_motion),
                     remaining(cycle, since(cycle_start)));
        const bool input_waiting = platform::wait_for_input(static_cast<int>(wait.count()));
        // A fixed 5 ms poll would have looked at least once during the quiet
        // time, and seen a code released there as up: without that look, a
        // quick second press would read as the first one still held.
        if (input_waiting && since(cycle_start) >= cycle && any_key_marked_down() && poll_keys_counting())
            changed();
        // At least one cycle between two polls, so presses are counted exactly
        // as by the fixed poll; input arriving meanwhile is applied after it.
        std::this_thread::sleep_until(cycle_start + cycle);
        pointer_moved = input_waiting && platform::apply_input();
    }
}

void start_sampler(std::function<void()> on_change) {
    // One sampler per process: a second one would count every press twice.
    if (sampler_started.exchange(true)) return;
    on_change_handler = std::move(on_change);
    std::thread(run_sampler, nullptr).detach();
}

}  // namespace pendolux
