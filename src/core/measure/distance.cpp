// Placeholder until distance measurement lands.
#include "core/measure/measure.h"
namespace pendolux {
void compute_jump_limit() {}
std::int32_t jump_limit() { return 0; }
void calibrate_screen() {}
void reset_prev_position() {}
void distance_step() {}
}  // namespace pendolux
