#include "platform/fake/fake_platform.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

namespace pendolux {
namespace {

constexpr int code_count = 256;

struct FakeState {
    std::mutex lock;
    platform::DisplaySize display{1680, 1050};
    platform::Point pointer{};
    std::array<bool, code_count> down{};
    std::array<std::uint32_t, code_count> presses{};
    std::string folder = "/tmp/";
    platform::LocalTime time{2009, 12, 24, 8, 5, 9};
    bool input_available = true;
    bool autostart = false;
    std::string autostart_file;
    int pointer_queries = 0;
    bool answer_waiting = false;
    platform::Point answer{};
    // Key changes wake a thread in wait_for_input, as input events do.
    std::condition_variable input_signal;
    std::uint64_t inputs = 0;
    std::uint64_t inputs_seen = 0;
    // With deferred input, key changes wait for apply_input as X events do.
    bool defer_input = false;
    struct KeyChange {
        int code;
        bool tap;
        bool down;
    };
    std::vector<KeyChange> queued;
    bool pointer_moved = false;  // by a device, since the last apply_input
    bool can_show_pixels = false;
    bool display_busy = false;
    std::vector<fake_platform::ShownPixels> shown;
};

FakeState& state() {
    // Never destroyed: a sampler thread may still use it while the process exits.
    static FakeState* const instance = new FakeState;
    return *instance;
}

// Per querying thread: the press count seen at its previous query of each code.
thread_local std::array<std::uint32_t, code_count> seen_presses{};
std::atomic<std::uint64_t> generation{0};
thread_local std::uint64_t seen_generation = 0;

// Under the state lock.
void change_key(const FakeState::KeyChange& change) {
    FakeState& s = state();
    if (change.tap) {
        ++s.presses[change.code];
        return;
    }
    if (change.down && !s.down[change.code]) ++s.presses[change.code];
    s.down[change.code] = change.down;
}

// Under the state lock.
void input_event(const FakeState::KeyChange& change) {
    FakeState& s = state();
    if (s.defer_input) {
        s.queued.push_back(change);
    } else {
        change_key(change);
    }
    ++s.inputs;
    s.input_signal.notify_all();
}

}  // namespace

namespace fake_platform {

void reset() {
    FakeState& s = state();
    std::lock_guard guard(s.lock);
    s.display = {1680, 1050};
    s.pointer = {};
    s.down.fill(false);
    s.presses.fill(0);
    s.folder = "/tmp/";
    s.time = {2009, 12, 24, 8, 5, 9};
    s.input_available = true;
    s.autostart = false;
    s.autostart_file.clear();
    s.pointer_queries = 0;
    s.answer_waiting = false;
    s.inputs_seen = s.inputs;
    s.defer_input = false;
    s.queued.clear();
    s.pointer_moved = false;
    s.can_show_pixels = false;
    s.display_busy = false;
    s.shown.clear();
    ++generation;
}

void set_display_size(int width, int height) {
    std::lock_guard guard(state().lock);
    state().display = {width, height};
}

void set_pointer(int x, int y) {
    std::lock_guard guard(state().lock);
    state().pointer = {x, y};
}

void move_pointer(int x, int y) {
    FakeState& s = state();
    std::lock_guard guard(s.lock);
    s.pointer = {x, y};
    s.pointer_moved = true;
    ++s.inputs;
    s.input_signal.notify_all();
}

void set_key_down(int code, bool down) {
    if (code < 0 || code >= code_count) return;
    std::lock_guard guard(state().lock);
    input_event({code, false, down});
}

void tap_key(int code) {
    if (code < 0 || code >= code_count) return;
    std::lock_guard guard(state().lock);
    input_event({code, true, false});
}

void defer_input() {
    std::lock_guard guard(state().lock);
    state().defer_input = true;
}

void set_program_folder(const std::string& folder) {
    std::lock_guard guard(state().lock);
    state().folder = folder;
}

void set_local_time(const platform::LocalTime& time) {
    std::lock_guard guard(state().lock);
    state().time = time;
}

void set_input_available(bool available) {
    std::lock_guard guard(state().lock);
    state().input_available = available;
}

bool autostart_enabled() {
    std::lock_guard guard(state().lock);
    return state().autostart;
}

std::string autostart_program_file() {
    std::lock_guard guard(state().lock);
    return state().autostart_file;
}

int pointer_queries() {
    std::lock_guard guard(state().lock);
    return state().pointer_queries;
}

void set_can_show_pixels(bool can) {
    std::lock_guard guard(state().lock);
    state().can_show_pixels = can;
}

void set_display_busy(bool busy) {
    std::lock_guard guard(state().lock);
    state().display_busy = busy;
}

std::vector<ShownPixels> take_shown_pixels() {
    std::lock_guard guard(state().lock);
    return std::exchange(state().shown, {});
}

}  // namespace fake_platform

namespace platform {

bool initialise() { return true; }

DisplaySize primary_display_size() {
    std::lock_guard guard(state().lock);
    return state().display;
}

Point pointer_position() {
    std::lock_guard guard(state().lock);
    ++state().pointer_queries;
    return state().pointer;
}

std::int16_t async_key_state(int code) {
    if (code < 0 || code >= code_count) return 0;
    if (seen_generation != generation.load()) {
        seen_presses.fill(0);
        seen_generation = generation.load();
    }
    std::lock_guard guard(state().lock);
    FakeState& s = state();
    if (!s.input_available) return 0;
    std::uint16_t result = s.down[code] ? 0x8000 : 0;
    if (s.presses[code] != seen_presses[code]) result |= 0x0001;
    seen_presses[code] = s.presses[code];
    return static_cast<std::int16_t>(result);
}

void request_pointer_position() {
    std::lock_guard guard(state().lock);
    ++state().pointer_queries;
    state().answer = state().pointer;
    state().answer_waiting = true;
}

bool take_pointer_position(Point& position) {
    std::lock_guard guard(state().lock);
    if (!state().answer_waiting) return false;
    state().answer_waiting = false;
    position = state().answer;
    return true;
}

bool wait_for_input(int timeout_ms) {
    std::unique_lock guard(state().lock);
    FakeState& s = state();
    s.input_signal.wait_for(guard, std::chrono::milliseconds(timeout_ms), [&s] { return s.inputs != s.inputs_seen; });
    const bool arrived = s.inputs != s.inputs_seen;
    s.inputs_seen = s.inputs;
    return arrived;
}

bool apply_input() {
    std::lock_guard guard(state().lock);
    for (const auto& change : state().queued) change_key(change);
    state().queued.clear();
    return std::exchange(state().pointer_moved, false);
}

bool input_available() {
    std::lock_guard guard(state().lock);
    return state().input_available;
}

std::string program_folder() {
    std::lock_guard guard(state().lock);
    return state().folder;
}

std::string program_file() { return program_folder() + "pendolux"; }

LocalTime local_time() {
    std::lock_guard guard(state().lock);
    return state().time;
}

void set_autostart(bool enabled, const std::string& program_file) {
    std::lock_guard guard(state().lock);
    state().autostart = enabled;
    state().autostart_file = enabled ? program_file : std::string();
}

bool can_show_pixels(std::uintptr_t) {
    std::lock_guard guard(state().lock);
    return state().can_show_pixels;
}

bool show_pixels(std::uintptr_t native_window, int x, int y, int width, int height, const std::uint32_t* pixels,
                 int row_pixels, bool may_wait) {
    {
        std::lock_guard guard(state().lock);
        if (!may_wait && state().display_busy) return false;
    }
    fake_platform::ShownPixels shown{native_window, x, y, width, height, {}};
    for (int row = 0; row < height; ++row)
        shown.pixels.insert(shown.pixels.end(), pixels + static_cast<std::ptrdiff_t>(row) * row_pixels,
                            pixels + static_cast<std::ptrdiff_t>(row) * row_pixels + width);
    std::lock_guard guard(state().lock);
    state().shown.push_back(std::move(shown));
    return true;
}

void exclude_from_taskbar(std::uintptr_t) {}

}  // namespace platform
}  // namespace pendolux
