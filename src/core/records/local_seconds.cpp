#include "core/records/local_seconds.h"

namespace pendolux {
namespace {

constexpr std::int64_t seconds_per_day = 86400;

// Days from 1970-01-01 in the proleptic Gregorian calendar (eras of 400 years,
// years starting in March so the leap day ends the year).
std::int64_t days_from_civil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t year_of_era = year - era * 400;
    const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

void civil_from_days(std::int64_t days, platform::LocalTime& time) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t day_of_era = days - era * 146097;
    const std::int64_t year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const std::int64_t month_index = (5 * day_of_year + 2) / 153;  // 0 = March
    const std::int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
    time.day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
    time.month = static_cast<int>(month);
    time.year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

std::int32_t local_seconds(const platform::LocalTime& time) {
    const std::int64_t seconds = days_from_civil(time.year, time.month, time.day) * seconds_per_day +
                                 std::int64_t{time.hour} * 3600 + std::int64_t{time.minute} * 60 + time.second;
    // Keep the low 32 bits (two's complement), like a 32-bit time field.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(seconds)));
}

platform::LocalTime local_time_from_seconds(std::int32_t seconds) {
    std::int64_t days = seconds / seconds_per_day;
    std::int64_t rest = seconds % seconds_per_day;
    if (rest < 0) {
        rest += seconds_per_day;
        --days;
    }
    platform::LocalTime time;
    civil_from_days(days, time);
    time.hour = static_cast<int>(rest / 3600);
    time.minute = static_cast<int>(rest / 60 % 60);
    time.second = static_cast<int>(rest % 60);
    return time;
}

std::int32_t local_seconds_now() { return local_seconds(platform::local_time()); }

}  // namespace pendolux
