// One sampler cycle without its pause: the poll of all 257 codes and one
// distance step, on a calibrated record with the pointer moving.
#include <benchmark/benchmark.h>

#include "core/config/program_state.h"
#include "core/measure/display_size.h"
#include "core/measure/measure.h"
#include "platform/fake/fake_platform.h"

namespace {

void sampler_cycle(benchmark::State& state) {
    using namespace pendolux;
    fake_platform::reset();
    set_display_size(1680, 1050);
    compute_jump_limit();
    config().cm_per_px_x = 0.028266610134;
    config().cm_per_px_y = 0.028266610134;
    reset_prev_position();
    fake_platform::set_key_down('A', true);
    int x = 0;
    for (auto _ : state) {
        fake_platform::set_pointer(x, x / 2);
        x = (x + 7) % 1680;
        poll_keys();
        distance_step();
    }
    benchmark::DoNotOptimize(config().distance.load());
}
BENCHMARK(sampler_cycle)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
