#pragma once
// Entry points of the records subsystem used by start-up and the front end.
#include <cstdint>

namespace pendolux {

// Totals to 0, logging on, reset stamp now, then save_config.
void reset_totals();
// The log timer's handler: appends one usage record to log.dat when logging is 1.
void append_usage_record();
// distance as of the last usage record; start-up sets it to the loaded distance.
void set_distance_at_last_log(std::int32_t distance);
std::int32_t distance_at_last_log();

}  // namespace pendolux
