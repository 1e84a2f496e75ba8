#include "core/records/reset_stamp.h"

#include "core/records/date_mask.h"
#include "core/records/local_seconds.h"

namespace pendolux {

std::string reset_stamp_for(std::int32_t local_seconds) {
    const platform::LocalTime time = local_time_from_seconds(local_seconds);
    return format_date_mask("%dd.%mm.%yyyy", time) + " um " + format_date_mask("%hh:%ii:%ss", time);
}

}  // namespace pendolux
