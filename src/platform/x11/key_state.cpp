#include "platform/x11/key_state.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace pendolux::x11::key_state {
namespace {

constexpr int code_count = 256;

// How many held keys report each code; the reading thread only.
std::array<int, code_count> holders{};
// Published to the querying threads as one word per code, the down bit and
// the press count together, so a reader never sees a press counted but not yet
// down (or down but not yet counted) and reads it as two presses.
constexpr std::uint32_t down_bit = 0x80000000u;
constexpr std::uint32_t count_mask = 0x7FFFFFFFu;
std::array<std::atomic<std::uint32_t>, code_count> published{};
// Bumped by clear(), so each thread starts afresh after it.
std::atomic<std::uint32_t> epoch{0};

struct ThreadView {
    std::uint32_t epoch = ~0u;
    std::array<std::uint32_t, code_count> seen_presses{};
};
thread_local ThreadView view;

// A thread's first query takes the presses so far as seen: "since the previous
// query" means nothing before there was one; a key held now still reads down.
void catch_up(ThreadView& v) {
    const std::uint32_t now = epoch.load(std::memory_order_acquire);
    if (v.epoch == now) return;
    v.epoch = now;
    for (int code = 0; code < code_count; ++code)
        v.seen_presses[code] = published[code].load(std::memory_order_relaxed) & count_mask;
}

}  // namespace

void press(const VirtualKeys& keys) {
    for (int i = 0; i < keys.count; ++i) {
        const int code = keys.codes[i];
        if (holders[code]++ == 0) {
            // Only the reading thread writes, so load and store make one update.
            const std::uint32_t count = (published[code].load(std::memory_order_relaxed) + 1) & count_mask;
            published[code].store(count | down_bit, std::memory_order_release);
        }
    }
}

void release(const VirtualKeys& keys) {
    for (int i = 0; i < keys.count; ++i) {
        const int code = keys.codes[i];
        if (holders[code] > 0 && --holders[code] == 0)
            published[code].store(published[code].load(std::memory_order_relaxed) & count_mask,
                                  std::memory_order_release);
    }
}

bool is_down(int code) { return code > 0 && code < code_count && holders[code] > 0; }

std::int16_t query(int code) {
    if (code <= 0 || code >= code_count) return 0;
    catch_up(view);
    const std::uint32_t word = published[code].load(std::memory_order_acquire);
    std::uint16_t state = (word & down_bit) != 0 ? 0x8000 : 0;
    const std::uint32_t count = word & count_mask;
    if (count != view.seen_presses[code]) {
        view.seen_presses[code] = count;
        state |= 0x0001;
    }
    return static_cast<std::int16_t>(state);
}

void clear() {
    for (int code = 0; code < code_count; ++code) {
        holders[code] = 0;
        published[code].store(0);
    }
    epoch.fetch_add(1);
}

}  // namespace pendolux::x11::key_state
