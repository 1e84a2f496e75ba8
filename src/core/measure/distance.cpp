// Pointer travel in whole centimetres through the screen calibration.
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <mutex>
#include <optional>

#include "core/config/program_state.h"
#include "core/measure/display_size.h"
#include "core/measure/measure.h"
#include "core/measure/rounding.h"
#include "core/measure/sampler_cycle.h"
#include "platform/platform.h"

namespace pendolux {
namespace {

std::atomic<std::int32_t> jump_limit_value{0};

struct CmPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The factors the sampler measures with and the previous position they were
// taken with. Published together under one lock, so a sample can never pair
// new factors with a position in the old scale.
struct Measurement {
    double cm_per_px_x = 0.0;
    double cm_per_px_y = 0.0;
    CmPosition prev;
    // False after a sample that had no position in centimetres: the next
    // sample only sets the previous position again.
    bool prev_known = true;
    // Changes with every publication; see distance_ticket.
    std::uint64_t ticket = 0;
};

std::mutex measurement_lock;
Measurement measurement;

// A factor that is not finite (aspect 0:0, display size 0) counts nothing.
double usable_factor(double factor) { return std::isfinite(factor) ? factor : 0.0; }

// The pointer in whole centimetres, or nothing when a coordinate leaves the int32 range.
std::optional<CmPosition> position_in_cm(const platform::Point& pixel, const Measurement& m) {
    const auto x = round_to_int32(pixel.x * m.cm_per_px_x);
    const auto y = round_to_int32(pixel.y * m.cm_per_px_y);
    if (!x || !y) return std::nullopt;
    return CmPosition{*x, *y};
}

}  // namespace

void compute_jump_limit() {
    const double w = display_width();
    const double h = display_height();
    jump_limit_value.store(round_to_int32_or(std::sqrt(w * w + h * h), std::numeric_limits<std::int32_t>::max()),
                           std::memory_order_relaxed);
}

std::int32_t jump_limit() { return jump_limit_value.load(std::memory_order_relaxed); }

void calibrate_screen() {
    ConfigRecord& record = config();
    const double entered = record.diagonal_in_inches == 1 ? record.diagonal * 2.54 : record.diagonal;
    // A diagonal with no whole-centimetre value in range gives factors of 0: nothing accrues.
    const double diagonal_cm = round_to_int32_or(entered, 0);
    const double ax = record.aspect_x;
    const double ay = record.aspect_y;
    const double unit = std::sqrt(diagonal_cm * diagonal_cm / (ax * ax + ay * ay));
    // Stored as computed; the sampler sanitises them when they are published.
    record.cm_per_px_x = unit * ax / display_width();
    record.cm_per_px_y = unit * ay / display_height();
}

void reset_prev_position() {
    const ConfigRecord& record = config();
    Measurement next;
    next.cm_per_px_x = usable_factor(record.cm_per_px_x);
    next.cm_per_px_y = usable_factor(record.cm_per_px_y);
    std::lock_guard guard(measurement_lock);
    // The pointer is read under the lock so no sample can fall between the
    // reading and the publication.
    const auto cm = position_in_cm(platform::pointer_position(), next);
    next.prev = cm.value_or(CmPosition{});
    next.prev_known = cm.has_value();
    next.ticket = measurement.ticket + 1;
    measurement = next;
}

namespace {

// The rounded step from the previous position to `pixel`, which becomes the
// previous position; 0 when either has no position in centimetres. Under measurement_lock.
double advance_to(const platform::Point& pixel) {
    const auto cm = position_in_cm(pixel, measurement);
    if (!cm) {
        measurement.prev_known = false;
        return 0.0;
    }
    const bool measurable = measurement.prev_known;
    // Differences in doubles: positions near the int32 limits cannot overflow.
    const double dx = static_cast<double>(cm->x) - measurement.prev.x;
    const double dy = static_cast<double>(cm->y) - measurement.prev.y;
    measurement.prev = *cm;
    measurement.prev_known = true;
    return measurable ? round_half_even(std::sqrt(dx * dx + dy * dy)) : 0.0;
}

std::int32_t add_step(double step) {
    // A step longer than the jump limit is dropped, but the position is
    // kept, so the jump is not measured again by the next sample.
    if (step > jump_limit()) return 0;
    const auto added = static_cast<std::int32_t>(step);  // 0 <= step <= jump_limit
    if (added != 0) config().distance.add_saturating(added);
    return added;
}

}  // namespace

void distance_step() {
    double step = 0.0;
    {
        std::lock_guard guard(measurement_lock);
        step = advance_to(platform::pointer_position());
    }
    add_step(step);
}

std::uint64_t distance_ticket() {
    std::lock_guard guard(measurement_lock);
    return measurement.ticket;
}

std::int32_t distance_step_from(const platform::Point& pixel, std::uint64_t ticket) {
    double step = 0.0;
    {
        std::lock_guard guard(measurement_lock);
        if (ticket != measurement.ticket) return 0;
        step = advance_to(pixel);
    }
    return add_step(step);
}

}  // namespace pendolux
