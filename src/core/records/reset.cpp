// Placeholder until the records land.
#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/records/records.h"
namespace pendolux {
namespace {
std::int32_t last_logged = 0;
}
void reset_totals() {
    config().keystrokes = 0;
    config().clicks = 0;
    config().distance = 0;
    config().logging = 1;
    save_config();
}
void append_usage_record() {}
void set_distance_at_last_log(std::int32_t distance) { last_logged = distance; }
std::int32_t distance_at_last_log() { return last_logged; }
}  // namespace pendolux
