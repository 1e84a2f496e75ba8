#pragma once
// The one rounding rule of the program: to the nearest integer, an exact half
// to the even neighbour (22.5 -> 22, 23.5 -> 24). Every real-to-integer
// conversion goes through here so the rule cannot drift between subsystems.
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace pendolux {

// Nearest integral value as a double; non-finite values come back unchanged.
// Independent of the floating-point environment's rounding mode.
inline double round_half_even(double value) {
    if (!std::isfinite(value)) return value;
    const double nearest = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
    return nearest;
}

// The rounded value when it is finite and fits an int32; nothing otherwise, so
// a NaN or an out-of-range value never reaches an integer conversion.
inline std::optional<std::int32_t> round_to_int32(double value) {
    const double rounded = round_half_even(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::max())))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

// As round_to_int32, but a value out of range yields fallback.
inline std::int32_t round_to_int32_or(double value, std::int32_t fallback) {
    return round_to_int32(value).value_or(fallback);
}

}  // namespace pendolux
