#pragma once
// The parts of one sampler cycle, with what they changed, and the pacing
// that lets the sampler sleep while nothing happens.
#include <algorithm>
#include <chrono>
#include <cstdint>

#include "platform/platform.h"

namespace pendolux {

// poll_keys, returning whether keystrokes or clicks grew.
bool poll_keys_counting();
// Whether the last poll left any code marked as held down.
bool any_key_marked_down();

// Measuring from a position asked for earlier: the ticket is taken when the
// position is asked for, and a sample whose ticket predates the latest
// reset_prev_position is not measured (it belongs to the old scale).
std::uint64_t distance_ticket();
std::int32_t distance_step_from(const platform::Point& pixel, std::uint64_t ticket);

namespace sampler_pacing {
using Milliseconds = std::chrono::milliseconds;
// The cycle length of the polling the counts are defined by.
constexpr Milliseconds cycle{5};
// While no input arrives the pointer is still sampled this often, because a
// pointer moved by a program raises no input event.
constexpr Milliseconds quiet_pointer_period{100};
// The face is redrawn at most this often; changes are reported no faster.
constexpr Milliseconds face_period{25};

// Whether this cycle samples the pointer: every cycle while a device moves
// it, otherwise once per quiet period.
constexpr bool pointer_due(bool pointer_moved, Milliseconds since_last_sample) {
    return pointer_moved || since_last_sample >= quiet_pointer_period;
}

// Whether a change still to be reported goes to the face now: once a face
// period has passed since the last report.
constexpr bool report_due(bool report_pending, Milliseconds since_report) {
    return report_pending && since_report >= face_period;
}

// How long until `period` has passed since `since`; 0 once it has.
constexpr Milliseconds remaining(Milliseconds period, Milliseconds since) {
    return since >= period ? Milliseconds{0} : period - since;
}

// How long the sampler may block waiting for input: until the next quiet
// pointer sample, and no longer than a face period after the oldest change
// still to be reported, or while the answer for a moving pointer is still to
// be measured. A report falling due earlier rides on the next wake-up for
// input, which under a stream of input comes sooner: the face lags a change
// by at most a face period either way, as with a fixed redraw every period.
constexpr Milliseconds wait_before_next_cycle(Milliseconds since_pointer_sample, bool report_pending,
                                              Milliseconds since_unreported_change, bool moving_answer_pending) {
    Milliseconds wait = remaining(quiet_pointer_period, since_pointer_sample);
    if (report_pending) wait = std::min(wait, remaining(face_period, since_unreported_change));
    if (moving_answer_pending) wait = std::min(wait, face_period);
    return wait;
}
}  // namespace sampler_pacing

}  // namespace pendolux
