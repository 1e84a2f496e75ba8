#pragma once
// The two halves of one sampler cycle, with what they changed, and the pacing
// that lets the sampler sleep while nothing happens.
#include <chrono>
#include <cstdint>

namespace pendolux {

// poll_keys, returning whether keystrokes or clicks grew.
bool poll_keys_counting();
// Whether the last poll left any code marked as held down.
bool any_key_marked_down();
// distance_step, returning the centimetres added to distance.
std::int32_t distance_step_counting();

namespace sampler_pacing {
using Milliseconds = std::chrono::milliseconds;
// The cycle length of the polling the counts are defined by.
constexpr Milliseconds cycle{5};
// While no input arrives the pointer is still sampled this often, because a
// pointer moved by a program raises no input event.
constexpr Milliseconds quiet_pointer_period{100};

// Whether this cycle samples the pointer: every cycle while input arrives,
// otherwise once per quiet period.
constexpr bool pointer_due(bool input_arrived, Milliseconds since_last_sample) {
    return input_arrived || since_last_sample >= quiet_pointer_period;
}

// How long the sampler may block waiting for input before the next quiet sample.
constexpr Milliseconds quiet_wait(Milliseconds since_last_sample) {
    return since_last_sample >= quiet_pointer_period ? Milliseconds{0} : quiet_pointer_period - since_last_sample;
}
}  // namespace sampler_pacing

}  // namespace pendolux
