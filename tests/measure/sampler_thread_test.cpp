// The real sampler thread against the fake platform, whose wait_for_input never
// reports input: presses must still be seen, and a pointer moved without any
// input event must still be measured by the quiet-time sampling.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/measure/display_size.h"
#include "measure/sampler_fixture.h"

namespace pendolux {
namespace {

using test::SamplerTest;

template <typename Condition>
bool eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TEST_F(SamplerTest, SamplerThreadCountsPressesAndQuietPointerMovesAndReportsChanges) {
    set_display_size(1280, 1024);
    compute_jump_limit();
    config().cm_per_px_x = 0.03;
    config().cm_per_px_y = 0.028125;
    reset_prev_position();

    std::atomic<int> changes{0};
    start_sampler([&changes] { changes.fetch_add(1); });
    start_sampler([] { ADD_FAILURE() << "a second sampler was started"; });

    fake_platform::tap_key('A');
    ASSERT_TRUE(eventually([] { return config().keystrokes.load() == 1; }));
    fake_platform::set_key_down(vk::xbutton2, true);
    ASSERT_TRUE(eventually([] { return config().clicks.load() == 1; }));
    fake_platform::set_pointer(1000, 0);  // 30 cm, no input event
    ASSERT_TRUE(eventually([] { return config().distance.load() == 30; }));
    EXPECT_TRUE(eventually([&changes] { return changes.load() >= 3; }));

    // At rest the pointer is sampled about ten times a second, not every 5 ms.
    const int before = fake_platform::pointer_queries();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const int queries = fake_platform::pointer_queries() - before;
    EXPECT_GE(queries, 3);
    EXPECT_LE(queries, 7);
    EXPECT_EQ(config().keystrokes.load(), 1);
    EXPECT_EQ(config().clicks.load(), 1);

    // Two quick taps with no input event between them: after the first, the
    // sampler must look again one cycle later, or the second would read as the
    // first one still held.
    fake_platform::tap_key('B');
    ASSERT_TRUE(eventually([] { return config().keystrokes.load() == 2; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    fake_platform::tap_key('B');
    EXPECT_TRUE(eventually([] { return config().keystrokes.load() == 3; }));
}

}  // namespace
}  // namespace pendolux
