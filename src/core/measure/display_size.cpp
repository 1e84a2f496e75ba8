#include "core/measure/display_size.h"

#include <atomic>

namespace pendolux {
namespace {
// Written once before the sampler starts; atomics keep later readers race-free.
std::atomic<int> width{0};
std::atomic<int> height{0};
}  // namespace

int display_width() { return width.load(std::memory_order_relaxed); }
int display_height() { return height.load(std::memory_order_relaxed); }
void set_display_size(int w, int h) {
    width.store(w, std::memory_order_relaxed);
    height.store(h, std::memory_order_relaxed);
}
}  // namespace pendolux
