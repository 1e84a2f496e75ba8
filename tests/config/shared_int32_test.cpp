#include "core/config/shared_int32.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace pendolux {
namespace {

TEST(SharedInt32, AdditionSaturatesInsteadOfOverflowing) {
    SharedInt32 total(2147483640);
    total.add_saturating(100);
    EXPECT_EQ(total.load(), 2147483647);
    total.add_saturating(1);
    EXPECT_EQ(total.load(), 2147483647);
    SharedInt32 negative(-5);
    negative.add_saturating(3);
    EXPECT_EQ(negative.load(), -2);
}

TEST(SharedInt32, ConcurrentAdditionsAreAllKeptAndAResetIsNeverUndone) {
    SharedInt32 total;
    constexpr int per_thread = 200000;
    std::vector<std::thread> adders;
    for (int t = 0; t < 2; ++t) {
        adders.emplace_back([&] {
            for (int i = 0; i < per_thread; ++i) total.add_saturating(1);
        });
    }
    for (auto& adder : adders) adder.join();
    EXPECT_EQ(total.load(), 2 * per_thread);

    // A reset racing with additions: afterwards the total holds only additions
    // made after the reset, never the old count plus new ones.
    std::atomic<int> after_reset{0};
    std::atomic<bool> reset_done{false};
    std::thread adder([&] {
        for (int i = 0; i < per_thread; ++i) {
            const bool was_reset = reset_done.load();
            total.add_saturating(1);
            if (was_reset) after_reset.fetch_add(1);
        }
    });
    total.store(0);
    reset_done.store(true);
    adder.join();
    EXPECT_LE(total.load(), per_thread);
    EXPECT_GE(total.load(), after_reset.load());
}

}  // namespace
}  // namespace pendolux
