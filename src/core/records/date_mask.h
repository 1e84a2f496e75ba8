#pragma once
// The program's own date format: %dd day, %mm month, %yyyy year, %hh hour,
// %ii minute, %ss second, each zero-padded to its width; every other
// character is copied as it is.
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace pendolux {

std::string format_date_mask(std::string_view mask, const platform::LocalTime& time);

}  // namespace pendolux
