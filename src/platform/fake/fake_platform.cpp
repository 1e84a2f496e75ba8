#include "platform/fake/fake_platform.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>

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
};

FakeState& state() {
    static FakeState instance;
    return instance;
}

// Per querying thread: the press count seen at its previous query of each code.
thread_local std::array<std::uint32_t, code_count> seen_presses{};
std::atomic<std::uint64_t> generation{0};
thread_local std::uint64_t seen_generation = 0;

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

void set_key_down(int code, bool down) {
    if (code < 0 || code >= code_count) return;
    std::lock_guard guard(state().lock);
    if (down && !state().down[code]) ++state().presses[code];
    state().down[code] = down;
}

void tap_key(int code) {
    if (code < 0 || code >= code_count) return;
    std::lock_guard guard(state().lock);
    ++state().presses[code];
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

bool wait_for_input(int timeout_ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(timeout_ms < 1 ? 1 : timeout_ms));
    return false;
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

void exclude_from_taskbar(std::uintptr_t) {}

}  // namespace platform
}  // namespace pendolux
