// Placeholder until the sampler lands.
#include "core/measure/measure.h"
namespace pendolux {
void poll_keys() {}
std::int32_t key_tally(int) { return 0; }
std::int32_t take_key_tally(int) { return 0; }
void start_sampler(std::function<void()>) {}
}  // namespace pendolux
