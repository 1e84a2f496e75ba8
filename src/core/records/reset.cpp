#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/records/local_seconds.h"
#include "core/records/records.h"
#include "core/records/reset_stamp.h"

namespace pendolux {

void reset_totals() {
    ConfigRecord& record = config();
    // The sampler adds with atomic read-modify-write updates, so these stores
    // are never overwritten by an addition that read the old total.
    record.keystrokes.store(0);
    record.clicks.store(0);
    record.distance.store(0);
    set_distance_at_last_log(0);
    record.logging = 1;
    set_field_text(record.reset_stamp.data(), reset_stamp_capacity, reset_stamp_for(local_seconds_now()));
    save_config();
}

}  // namespace pendolux
