// Byte formats and texts of the records subsystem, checked against fixed tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/records/date_mask.h"
#include "core/records/info_box.h"
#include "core/records/local_seconds.h"
#include "core/records/loggable_keys.h"
#include "core/records/reset_stamp.h"
#include "core/records/usage_record.h"

namespace pendolux {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(LoggableKeys, AreExactlyTheListedCodes) {
    const std::vector<int> listed = {
        1,   2,   4,   8,   9,   13,  16,  19,  20,  27,  32,  33,  34,  35,  36,  37,  38,  39,  40,
        44,  45,  46,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  65,  66,  67,  68,  69,  70,
        71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  81,  82,  83,  84,  85,  86,  87,  88,  89,
        90,  96,  97,  98,  99,  100, 101, 102, 103, 104, 105, 106, 107, 109, 110, 111, 112, 113, 114,
        115, 116, 117, 118, 119, 120, 121, 122, 123, 144, 145, 160, 162, 163, 164, 165, 186, 187, 188,
        189, 190, 191, 192, 219, 220, 221, 222, 226};
    ASSERT_EQ(listed.size(), 104u);
    std::vector<int> found;
    for (int code = -1000; code <= 1000; ++code) {
        if (is_loggable_key(code)) found.push_back(code);
    }
    EXPECT_EQ(found, listed);
    for (const std::int32_t far : {INT32_MIN, INT32_MAX, 256, 257, 65536 + 65}) EXPECT_FALSE(is_loggable_key(far)) << far;
}

KeyTallies tallies_of(std::initializer_list<std::pair<int, std::int32_t>> entries) {
    KeyTallies tallies{};
    for (const auto& [code, count] : entries) tallies[static_cast<std::size_t>(code)] = count;
    return tallies;
}

struct RecordCase {
    const char* name;
    std::int32_t time;
    std::int32_t delta;
    KeyTallies tallies;
    Bytes expected;
};

TEST(UsageRecord, EncodesTimeDeltaAscendingLoggablePairsAndEndMark) {
    const RecordCase cases[] = {
        {"no keys", 0x12345678, 0, KeyTallies{}, {0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0}},
        {"negative time and delta", -2, -3, KeyTallies{}, {0xFE, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF, 0, 0}},
        {"delta of 65536 is written as 0", 1, 65536, KeyTallies{}, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"delta 65537 keeps its low bits", 1, 65537 + 0x0200, KeyTallies{}, {1, 0, 0, 0, 0x01, 0x02, 0, 0}},
        // Left Shift raises 16 and 160, right Shift 16 and 161; extra buttons 5, 6 and codes 0, 17, 256 never appear.
        {"codes in and out of the set",
         7,
         300,
         tallies_of({{0, 9}, {5, 2}, {6, 1}, {17, 4}, {161, 2}, {256, 8}, {226, 1}, {160, 3}, {16, 5}, {1, 2}}),
         {7, 0, 0, 0, 0x2C, 0x01, 1, 0, 2, 0, 16, 0, 5, 0, 160, 0, 3, 0, 226, 0, 1, 0, 0, 0}},
        {"tally of 65536 keeps its pair with count 0",
         0,
         0,
         tallies_of({{65, 65536}, {66, 65537}, {67, 0}, {68, -1}}),
         {0, 0, 0, 0, 0, 0, 65, 0, 0, 0, 66, 0, 1, 0, 0, 0}},
    };
    for (const RecordCase& c : cases) {
        EXPECT_EQ(encode_usage_record(c.time, c.delta, c.tallies), c.expected) << c.name;
    }
}

TEST(UsageRecord, AllLoggableKeysGiveTheLongestRecord) {
    KeyTallies tallies{};
    tallies.fill(1);
    const Bytes record = encode_usage_record(0, 0, tallies);
    ASSERT_EQ(record.size(), 8u + 4u * 104u);
    int previous = 0;
    for (std::size_t at = 6; at + 2 < record.size(); at += 4) {
        const int code = record[at] | record[at + 1] << 8;
        EXPECT_GT(code, previous);
        EXPECT_TRUE(is_loggable_key(code));
        previous = code;
    }
    EXPECT_EQ(record[record.size() - 2], 0);
    EXPECT_EQ(record[record.size() - 1], 0);
}

struct ClockCase {
    platform::LocalTime wall;
    std::int32_t seconds;
    const char* stamp;
};

// Values worked out independently: days since 1970-01-01 times 86400 plus the time of day.
const ClockCase clock_cases[] = {
    {{1970, 1, 1, 0, 0, 0}, 0, "01.01.1970 um 00:00:00"},
    {{2009, 12, 24, 8, 5, 9}, 1261641909, "24.12.2009 um 08:05:09"},
    {{2000, 2, 29, 12, 0, 0}, 951825600, "29.02.2000 um 12:00:00"},
    {{2024, 2, 29, 23, 59, 59}, 1709251199, "29.02.2024 um 23:59:59"},
    {{2023, 12, 31, 23, 59, 59}, 1704067199, "31.12.2023 um 23:59:59"},
    {{2100, 3, 1, 0, 0, 0}, static_cast<std::int32_t>(4107542400LL - 4294967296LL), nullptr},
    {{1969, 12, 31, 23, 59, 59}, -1, "31.12.1969 um 23:59:59"},
    {{1901, 12, 13, 20, 45, 52}, INT32_MIN, "13.12.1901 um 20:45:52"},
    {{2038, 1, 19, 3, 14, 7}, INT32_MAX, "19.01.2038 um 03:14:07"},
};

TEST(LocalSeconds, CountsTheWallTimeAsIfItWereUtc) {
    for (const ClockCase& c : clock_cases) {
        EXPECT_EQ(local_seconds(c.wall), c.seconds) << c.wall.year << "-" << c.wall.month << "-" << c.wall.day;
    }
}

TEST(LocalSeconds, BreaksBackIntoTheSameWallTime) {
    for (const ClockCase& c : clock_cases) {
        if (c.stamp == nullptr) continue;  // beyond 2038 the value wraps
        const platform::LocalTime back = local_time_from_seconds(c.seconds);
        EXPECT_EQ(format_date_mask("%yyyy-%mm-%dd %hh:%ii:%ss", back),
                  format_date_mask("%yyyy-%mm-%dd %hh:%ii:%ss", c.wall));
    }
}

TEST(LocalSeconds, WallTimeOneSecondAfter2038WrapsToTheMinimum) {
    EXPECT_EQ(local_seconds({2038, 1, 19, 3, 14, 8}), INT32_MIN);
}

TEST(ResetStamp, IsDayMonthYearUmTimeWithLeadingZeros) {
    for (const ClockCase& c : clock_cases) {
        if (c.stamp == nullptr) continue;
        const std::string stamp = reset_stamp_for(c.seconds);
        EXPECT_EQ(stamp, c.stamp);
        EXPECT_EQ(stamp.size(), 22u);
    }
}

TEST(DateMask, ReplacesTheSixFieldsAndCopiesEverythingElse) {
    const platform::LocalTime time{987, 3, 4, 5, 6, 7};
    struct {
        const char* mask;
        const char* text;
    } const cases[] = {
        {"%dd.%mm.%yyyy", "04.03.0987"},
        {"%hh:%ii:%ss", "05:06:07"},
        {"%yyyy%yyyy", "09870987"},
        {"%y %d %m %% 100% %i%", "%y %d %m %% 100% %i%"},
        {"%ddd", "04d"},
        {"", ""},
        {"Tag %dd", "Tag 04"},
    };
    for (const auto& c : cases) EXPECT_EQ(format_date_mask(c.mask, time), c.text) << c.mask;
}

TEST(InfoText, HoldsNameResetLineStampAndCredits) {
    const std::string head = "Pendolux\nZur\xFC" "ckgesetzt am ";
    struct {
        std::string stamp;
    } const cases[] = {{"24.12.2009 um 08:05:09"}, {""}, {std::string(24, 'x')}, {"\xE4\xF6\xFC\x80\xFF"}};
    for (const auto& c : cases) {
        const std::string text = info_text(c.stamp);
        ASSERT_EQ(text.substr(0, head.size() + c.stamp.size() + 2), head + c.stamp + "\n\n") << c.stamp;
        const std::string credits = text.substr(head.size() + c.stamp.size() + 2);
        EXPECT_FALSE(credits.empty());
        EXPECT_EQ(credits.find('\0'), std::string::npos);
    }
}

}  // namespace
}  // namespace pendolux
