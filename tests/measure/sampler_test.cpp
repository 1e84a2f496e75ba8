#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "core/measure/sampler_cycle.h"
#include "measure/sampler_fixture.h"

namespace pendolux {
namespace {

using test::SamplerTest;

struct PressCase {
    std::string name;
    std::vector<int> codes;  // held down together, in this order, one poll after each
    int keystrokes;
    int clicks;
};

// What the platform reports for one press of each key, and what it must add.
const PressCase press_cases[] = {
    {"left_shift", {0x10, 0xA0}, 1, 0},
    {"right_shift", {0x10, 0xA1}, 1, 0},
    {"left_ctrl", {0x11, 0xA2}, 0, 0},
    {"right_ctrl", {0x11, 0xA3}, 1, 0},
    {"left_alt", {0x12, 0xA4}, 1, 0},
    {"right_alt", {0x12, 0xA5}, 1, 0},
    {"altgr", {0x11, 0xA2, 0x12, 0xA5}, 1, 0},
    {"shift_a", {0x10, 0xA0, 'A'}, 2, 0},
    {"left_ctrl_c", {0x11, 0xA2, 'C'}, 1, 0},
    {"right_ctrl_c", {0x11, 0xA3, 'C'}, 2, 0},
    {"altgr_q", {0x11, 0xA2, 0x12, 0xA5, 'Q'}, 2, 0},
    {"ctrl_break", {0x11, 0xA2, 0x03}, 1, 0},
    {"all_buttons", {1, 2, 4, 5, 6}, 0, 5},
    {"code_255", {255}, 1, 0},
};

class PressTable : public SamplerTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PressTable, AddsTheTotalsAndOneTallyPerCodeSeenDown) {
    const PressCase& press = GetParam();
    for (int code : press.codes) {
        fake_platform::set_key_down(code, true);
        poll_keys();
    }
    for (int i = 0; i < 5; ++i) poll_keys();  // held: nothing more
    EXPECT_EQ(keystrokes(), press.keystrokes);
    EXPECT_EQ(clicks(), press.clicks);
    for (int code = 0; code < key_code_count; ++code) {
        const bool pressed = std::find(press.codes.begin(), press.codes.end(), code) != press.codes.end();
        EXPECT_EQ(key_tally(code), pressed ? 1 : 0) << "code " << code;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, PressTable, ::testing::ValuesIn(press_cases),
                         [](const auto& info) { return info.param.name; });

TEST_F(SamplerTest, SecondShiftWhileTheFirstIsHeldAddsNothing) {
    fake_platform::set_key_down(0x10, true);
    fake_platform::set_key_down(0xA0, true);
    poll_keys();
    fake_platform::set_key_down(0xA1, true);  // generic code stays down
    poll_keys();
    fake_platform::set_key_down(0xA0, false);
    poll_keys();
    EXPECT_EQ(keystrokes(), 1);
    EXPECT_EQ(key_tally(0xA1), 1);
}

TEST_F(SamplerTest, HeldKeyCountsOnceAcrossPollsAndATallyClearUntilPressedAnew) {
    fake_platform::set_key_down('K', true);
    for (int i = 0; i < 100; ++i) poll_keys();
    EXPECT_EQ(take_key_tally('K'), 1);
    for (int i = 0; i < 100; ++i) poll_keys();
    EXPECT_EQ(key_tally('K'), 0);
    EXPECT_EQ(keystrokes(), 1);

    fake_platform::set_key_down('K', false);
    poll_keys();
    fake_platform::set_key_down('K', true);
    poll_keys();
    EXPECT_EQ(key_tally('K'), 1);
    EXPECT_EQ(keystrokes(), 2);
}

TEST_F(SamplerTest, KeyHeldBeforeTheFirstPollCountsOnce) {
    fake_platform::set_key_down(vk::lbutton, true);
    fake_platform::set_key_down('X', true);
    poll_keys();
    poll_keys();
    EXPECT_EQ(clicks(), 1);
    EXPECT_EQ(keystrokes(), 1);
}

TEST_F(SamplerTest, PressAndReleaseBetweenTwoPollsCountOnceAndAgainAfterAnUpPoll) {
    fake_platform::tap_key('A');
    poll_keys();
    fake_platform::tap_key('A');  // seen only as "pressed since": still the same down
    poll_keys();
    EXPECT_EQ(keystrokes(), 1);  // two taps in two consecutive polls read as one long press
    poll_keys();                 // up
    fake_platform::tap_key('A');
    fake_platform::tap_key('A');  // two taps within one poll: one
    poll_keys();
    EXPECT_EQ(keystrokes(), 2);
    EXPECT_EQ(key_tally('A'), 2);
}

TEST_F(SamplerTest, DoubleClickAddsTwoClicks) {
    for (int i = 0; i < 2; ++i) {
        fake_platform::set_key_down(vk::lbutton, true);
        poll_keys();
        fake_platform::set_key_down(vk::lbutton, false);
        poll_keys();
    }
    EXPECT_EQ(clicks(), 2);
    EXPECT_EQ(key_tally(vk::lbutton), 2);
    EXPECT_EQ(keystrokes(), 0);
}

TEST_F(SamplerTest, CodesZeroAnd256AndOutOfRangeNeverCount) {
    fake_platform::set_key_down(0, true);  // the fake would report it; the platform never does
    fake_platform::set_key_down(256, true);
    poll_keys();
    EXPECT_EQ(key_tally(256), 0);
    EXPECT_EQ(key_tally(-1), 0);
    EXPECT_EQ(key_tally(257), 0);
    EXPECT_EQ(take_key_tally(257), 0);
    // Code 0 is outside both sets: were it ever reported, it would be a keystroke.
    EXPECT_EQ(key_tally(0), 1);
    EXPECT_EQ(keystrokes(), 1);
}

TEST_F(SamplerTest, NothingCountsWhileThePlatformReportsNoKeyState) {
    fake_platform::set_input_available(false);
    fake_platform::set_key_down('A', true);
    poll_keys();
    EXPECT_EQ(keystrokes(), 0);
    fake_platform::set_input_available(true);
    poll_keys();
    EXPECT_EQ(keystrokes(), 1);
}

TEST_F(SamplerTest, TotalsSaturateAndNegativeTotalsCountUp) {
    config().keystrokes = std::numeric_limits<std::int32_t>::max();
    config().clicks = -5;
    fake_platform::set_key_down('A', true);
    fake_platform::set_key_down(vk::rbutton, true);
    poll_keys();
    EXPECT_EQ(keystrokes(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(clicks(), -4);
}

// The sampler sleeps until input or until something falls due: the next quiet
// pointer sample, a change still to be reported a face period after it
// happened, the answer for a moving pointer within a face period.
TEST(SamplerPacing, SleepsUntilTheFirstThingDue) {
    using sampler_pacing::Milliseconds;
    const struct {
        int since_pointer_sample;
        bool report_pending;
        int since_unreported_change;
        bool moving_answer_pending;
        int wait;
    } cases[] = {
        {0, false, 0, false, 100},   {40, false, 0, false, 60},  {100, false, 0, false, 0},
        {250, false, 0, false, 0},   {10, true, 5, false, 20},   {10, true, 30, false, 0},
        {90, true, 0, false, 10},    {0, false, 0, true, 25},    {90, false, 0, true, 10},
        {0, true, 20, true, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sampler_pacing::wait_before_next_cycle(Milliseconds(c.since_pointer_sample), c.report_pending,
                                                         Milliseconds(c.since_unreported_change),
                                                         c.moving_answer_pending),
                  Milliseconds(c.wait))
            << c.since_pointer_sample << " " << c.report_pending << " " << c.since_unreported_change << " "
            << c.moving_answer_pending;
    }
}

}  // namespace
}  // namespace pendolux
