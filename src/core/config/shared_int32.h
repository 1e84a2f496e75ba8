#pragma once
// A 32-bit total shared between the sampler thread and the rest of the program.
// Copyable (a copy takes one reading) so that records can still be copied whole.
#include <atomic>
#include <cstdint>
#include <limits>

namespace pendolux {

class SharedInt32 {
public:
    SharedInt32() = default;
    SharedInt32(std::int32_t value) : value_(value) {}
    SharedInt32(const SharedInt32& other) : value_(other.load()) {}
    SharedInt32& operator=(const SharedInt32& other) {
        store(other.load());
        return *this;
    }
    SharedInt32& operator=(std::int32_t value) {
        store(value);
        return *this;
    }

    std::int32_t load() const { return value_.load(std::memory_order_relaxed); }
    void store(std::int32_t value) { value_.store(value, std::memory_order_relaxed); }
    std::int32_t exchange(std::int32_t value) { return value_.exchange(value, std::memory_order_relaxed); }

    // Adds a non-negative amount, stopping at the int32 maximum instead of
    // overflowing. Done as one atomic update, so a concurrent store (a reset)
    // is never undone by an addition in flight.
    void add_saturating(std::int64_t amount) {
        std::int32_t current = load();
        std::int32_t next;
        do {
            const std::int64_t sum = static_cast<std::int64_t>(current) + amount;
            next = sum > std::numeric_limits<std::int32_t>::max()   ? std::numeric_limits<std::int32_t>::max()
                   : sum < std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::min()
                                                                     : static_cast<std::int32_t>(sum);
        } while (!value_.compare_exchange_weak(current, next, std::memory_order_relaxed));
    }

private:
    std::atomic<std::int32_t> value_{0};
};

}  // namespace pendolux
