#pragma once
// The program's clock value: the local wall-clock date and time counted in
// seconds from 1970-01-01 00:00:00 as if it were UTC. No zone or daylight
// offset is applied, so the same wall time gives the same value anywhere and
// breaking it back into fields without an offset gives the wall time again.
#include <cstdint>

#include "platform/platform.h"

namespace pendolux {

// Signed 32-bit: wall times after 2038-01-19 03:14:07 wrap to negative values,
// as the usage log's time field does.
std::int32_t local_seconds(const platform::LocalTime& time);
platform::LocalTime local_time_from_seconds(std::int32_t seconds);

// local_seconds of the system clock's local time now.
std::int32_t local_seconds_now();

}  // namespace pendolux
