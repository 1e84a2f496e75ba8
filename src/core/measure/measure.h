#pragma once
// Entry points of input measurement used by start-up and the dialogs.
// Key and button counting lives in sampler.cpp, pointer travel in distance.cpp.
#include <cstdint>
#include <functional>

namespace pendolux {

// Start-up: jump_limit = round(sqrt(w*w + h*h)) of the display size.
void compute_jump_limit();
std::int32_t jump_limit();

// Recomputes cm_per_px_x/y of config() from its diagonal and aspect and the
// display size. The sampler keeps measuring with the previous factors until
// reset_prev_position publishes the new ones.
void calibrate_screen();
// Publishes the record's current factors together with the pointer's current
// position, so that the next distance_step measures from here in the new scale.
void reset_prev_position();
// One measurement: adds the pointer's travel since the previous sample to distance.
void distance_step();

// One pass over the codes 0-256.
void poll_keys();
// key_tallies: presses per code since the usage log last took them.
std::int32_t key_tally(int code);
std::int32_t take_key_tally(int code);  // reads and clears one entry atomically

// Forgets which codes were seen down, as at start-up. For tests.
void clear_key_down();

// Thread procedure of the sampler: poll_keys, distance_step, 5 ms, for ever.
// The argument is ignored.
[[noreturn]] void run_sampler(void* ignored);

// Starts the sampler thread (runs for the life of the process). on_change is
// called from the sampler thread once when it starts and whenever a total
// changed, so that the face can be redrawn without polling; it must be cheap
// and thread-safe.
void start_sampler(std::function<void()> on_change);

}  // namespace pendolux
