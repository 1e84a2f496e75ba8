// The real sampler thread against the fake platform: presses must be seen, a
// pointer moved without any input event must still be measured by the
// quiet-time sampling, one moved by a device at once, and changes reach the face at most once per face
// period, the last of them included.
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
    fake_platform::defer_input();

    // What the face would show: the totals as they stand when a change is
    // reported. Static: the sampler outlives the test and may report once more.
    static std::atomic<int> reports{0};
    static std::atomic<std::int64_t> reported{0};
    static const auto totals = [] {
        return config().keystrokes.load() * 1000000LL + config().clicks.load() * 1000LL + config().distance.load();
    };
    start_sampler([&] {
        reported.store(totals());
        reports.fetch_add(1);
    });
    start_sampler([] { ADD_FAILURE() << "a second sampler was started"; });

    fake_platform::tap_key('A');
    ASSERT_TRUE(eventually([] { return config().keystrokes.load() == 1; }));
    fake_platform::set_key_down(vk::xbutton2, true);
    ASSERT_TRUE(eventually([] { return config().clicks.load() == 1; }));
    fake_platform::set_pointer(1000, 0);  // 30 cm, no input event
    ASSERT_TRUE(eventually([] { return config().distance.load() == 30; }));
    EXPECT_TRUE(eventually([&] { return reported.load() == 1001030; }));

    // A burst of presses is reported a few times, not once per press, and its
    // last press is reported too. Three cycles apart, so a fixed poll counts each.
    // Key presses do not move the pointer: it is still sampled at the quiet pace.
    const int reports_before = reports.load();
    const int queries_before = fake_platform::pointer_queries();
    const auto burst_start = std::chrono::steady_clock::now();
    for (int i = 0; i < 40; ++i) {
        fake_platform::tap_key('C');
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    const auto burst = std::chrono::steady_clock::now() - burst_start;
    ASSERT_TRUE(eventually([&] { return reported.load() == 41001030; }));
    EXPECT_LE(reports.load() - reports_before, burst / std::chrono::milliseconds(25) + 2);
    EXPECT_GE(reports.load() - reports_before, 2);
    EXPECT_LE(fake_platform::pointer_queries() - queries_before, burst / std::chrono::milliseconds(100) + 2);

    // At rest the pointer is sampled about ten times a second, not every 5 ms.
    const int before = fake_platform::pointer_queries();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const int queries = fake_platform::pointer_queries() - before;
    EXPECT_GE(queries, 3);
    EXPECT_LE(queries, 7);
    EXPECT_EQ(config().keystrokes.load(), 41);
    EXPECT_EQ(config().clicks.load(), 1);

    // Two quick taps: after the first, the sampler must look at the key again
    // before the second is applied, or it would read as the first still held.
    fake_platform::tap_key('B');
    ASSERT_TRUE(eventually([] { return config().keystrokes.load() == 42; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    fake_platform::tap_key('B');
    EXPECT_TRUE(eventually([] { return config().keystrokes.load() == 43; }));

    // A pointer moved by a device is sampled at once: each move is measured
    // on its own, so the way there and back counts, not just where it ends.
    fake_platform::move_pointer(0, 0);  // 30 cm back
    ASSERT_TRUE(eventually([] { return config().distance.load() == 60; }));
    fake_platform::move_pointer(1000, 0);
    const int asked = fake_platform::pointer_queries();
    ASSERT_TRUE(eventually([&] { return fake_platform::pointer_queries() > asked; }));  // seen there
    fake_platform::move_pointer(0, 0);
    EXPECT_TRUE(eventually([] { return config().distance.load() == 120; }));
}

}  // namespace
}  // namespace pendolux
