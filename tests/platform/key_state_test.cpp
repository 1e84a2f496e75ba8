#include "platform/x11/key_state.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace pendolux::x11 {
namespace {

VirtualKeys keys(std::initializer_list<std::uint8_t> codes) {
    VirtualKeys result;
    for (std::uint8_t code : codes) result.add(code);
    return result;
}

constexpr std::int16_t down_now = static_cast<std::int16_t>(0x8000);
constexpr std::int16_t pressed_and_down = static_cast<std::int16_t>(0x8001);

class KeyStateTest : public ::testing::Test {
protected:
    void SetUp() override { key_state::clear(); }
};

TEST_F(KeyStateTest, GenericModifierStaysDownUntilBothSidesAreUpAndIsPressedOnce) {
    const VirtualKeys left = keys({0xA0, 0x10});
    const VirtualKeys right = keys({0xA1, 0x10});
    key_state::query(0x10);  // this thread's first query
    key_state::press(left);
    EXPECT_EQ(key_state::query(0x10), pressed_and_down);
    EXPECT_EQ(key_state::query(0x10), down_now);
    key_state::press(right);
    EXPECT_EQ(key_state::query(0x10), down_now);
    EXPECT_EQ(key_state::query(0xA1), pressed_and_down);
    key_state::release(left);
    EXPECT_EQ(key_state::query(0x10), down_now);
    EXPECT_EQ(key_state::query(0xA0), 0x0001);  // up, but pressed since this thread last asked
    key_state::release(right);
    EXPECT_EQ(key_state::query(0x10), 0);
}

TEST_F(KeyStateTest, PressAndReleaseBetweenQueriesReadOnceAsPressedSince) {
    key_state::query('A');
    key_state::press(keys({'A'}));
    key_state::release(keys({'A'}));
    EXPECT_EQ(key_state::query('A'), 0x0001);
    EXPECT_EQ(key_state::query('A'), 0);
    key_state::release(keys({'A'}));  // a release without a press changes nothing
    key_state::press(keys({'A'}));
    EXPECT_EQ(key_state::query('A'), pressed_and_down);
}

TEST_F(KeyStateTest, EachThreadHasItsOwnPressedSinceBit) {
    key_state::query(0x01);
    std::int16_t other_first = -1, other_second = -1;
    std::thread([&] { other_first = key_state::query(0x01); }).join();  // a first query: nothing before it
    key_state::press(keys({0x01}));
    key_state::release(keys({0x01}));
    EXPECT_EQ(key_state::query(0x01), 0x0001);
    std::thread([&] {
        key_state::query(0x01);
        other_second = key_state::query(0x01);
    }).join();
    EXPECT_EQ(other_first, 0);
    EXPECT_EQ(other_second, 0);
}

TEST_F(KeyStateTest, KeyHeldBeforeTheFirstQueryReadsDown) {
    key_state::press(keys({'Q'}));
    std::int16_t first = 0;
    std::thread([&] { first = key_state::query('Q'); }).join();
    EXPECT_EQ(first, down_now);
}

TEST_F(KeyStateTest, CodesOutsideOneTo255ReadZero) {
    key_state::press(keys({0xFF}));
    key_state::query(0xFF);
    for (int code : {0, 256, -1, 1000}) EXPECT_EQ(key_state::query(code), 0) << code;
    EXPECT_EQ(key_state::query(0xFF), down_now);
}

TEST_F(KeyStateTest, PressesFromTheReadingThreadReachAPollingThreadExactlyOnceEach) {
    constexpr int presses = 2000;
    std::atomic<int> seen{0};
    std::atomic<int> polls{0};
    std::atomic<bool> stop{false};
    std::thread poller([&] {
        bool was_down = false;
        while (!stop.load()) {
            const bool now_down = key_state::query('A') != 0;
            if (now_down && !was_down) seen.fetch_add(1);
            was_down = now_down;
            polls.fetch_add(1);
        }
    });
    while (polls.load() == 0) std::this_thread::yield();  // its first query is behind it
    for (int i = 0; i < presses; ++i) {
        const int before = seen.load();
        key_state::press(keys({'A'}));
        key_state::release(keys({'A'}));
        while (seen.load() == before) std::this_thread::yield();
        // Let the poller read the key up once before the next press.
        const int polled = polls.load();
        while (polls.load() < polled + 2) std::this_thread::yield();
    }
    stop.store(true);
    poller.join();
    EXPECT_EQ(seen.load(), presses);
}

}  // namespace
}  // namespace pendolux::x11
