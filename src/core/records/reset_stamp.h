#pragma once
// The readable time of the last reset: "DD.MM.YYYY um HH:MM:SS", 22 bytes.
#include <cstdint>
#include <string>

namespace pendolux {

// From local seconds, broken back into fields without any offset.
std::string reset_stamp_for(std::int32_t local_seconds);

}  // namespace pendolux
