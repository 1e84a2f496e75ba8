// The sampler counting while the main thread resets totals and takes tallies:
// every press and every centimetre ends up exactly once in what was taken.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "core/measure/display_size.h"
#include "measure/sampler_fixture.h"

namespace pendolux {
namespace {

using test::SamplerTest;

TEST_F(SamplerTest, SamplerResetAndTallyTakingTogetherLoseAndDoubleNothing) {
    set_display_size(1680, 1050);
    compute_jump_limit();
    config().cm_per_px_x = 1.0 / 18;  // 18 px = 1 cm
    config().cm_per_px_y = 1.0 / 18;
    reset_prev_position();

    std::atomic<bool> stop{false};
    std::atomic<std::uint64_t> cycles{0};
    std::thread sampler([&] {
        while (!stop.load()) {
            poll_keys();
            distance_step();
            cycles.fetch_add(1);
        }
    });
    // Each input is left in place for two whole cycles, so the sampler sees
    // every press and every pointer position exactly once.
    auto let_sampler_see = [&cycles] {
        const std::uint64_t seen = cycles.load() + 2;
        while (cycles.load() <= seen) std::this_thread::yield();
    };
    constexpr int rounds = 1500;
    std::thread user([&] {
        for (int i = 0; i < rounds; ++i) {
            fake_platform::tap_key('A');
            fake_platform::tap_key(vk::lbutton);
            fake_platform::tap_key(vk::lshift);  // uncounted, but tallied
            fake_platform::set_pointer(i % 2 == 0 ? 18 : 0, 0);
            let_sampler_see();
        }
    });

    std::int64_t keystrokes = 0, clicks = 0, distance = 0, tally_a = 0, tally_button = 0, tally_shift = 0;
    auto take_everything = [&] {
        keystrokes += config().keystrokes.exchange(0);
        clicks += config().clicks.exchange(0);
        distance += config().distance.exchange(0);
        tally_a += take_key_tally('A');
        tally_button += take_key_tally(vk::lbutton);
        tally_shift += take_key_tally(vk::lshift);
    };
    std::thread main_thread([&] {
        while (!stop.load()) {
            take_everything();
            std::this_thread::yield();
        }
    });

    user.join();
    stop.store(true);
    sampler.join();
    main_thread.join();
    take_everything();

    EXPECT_EQ(tally_a, rounds);
    EXPECT_EQ(tally_button, rounds);
    EXPECT_EQ(tally_shift, rounds);
    EXPECT_EQ(clicks, rounds);
    EXPECT_EQ(distance, rounds);
    EXPECT_EQ(keystrokes, rounds);
}

TEST_F(SamplerTest, RecalibrationWhileSamplingNeverPairsNewFactorsWithAnOldPosition) {
    set_display_size(1680, 1050);
    compute_jump_limit();
    fake_platform::set_pointer(1600, 1000);  // far from the origin, at rest
    config().cm_per_px_x = 0.03;
    config().cm_per_px_y = 0.03;
    reset_prev_position();

    std::atomic<bool> stop{false};
    std::thread sampler([&] {
        while (!stop.load()) distance_step();
    });
    for (int i = 0; i < 2000; ++i) {
        // The settings dialog's Apply: factors first, then the previous position.
        config().cm_per_px_x = config().cm_per_px_y = i % 2 == 0 ? 0.5 : 0.03;
        reset_prev_position();
    }
    stop.store(true);
    sampler.join();
    EXPECT_EQ(config().distance.load(), 0);
}

}  // namespace
}  // namespace pendolux
