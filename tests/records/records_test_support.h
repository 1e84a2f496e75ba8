#pragma once
// Shared helpers of the records tests: pressing keys through the fake
// platform and the sampler, and reading log.dat back.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/config/program_state.h"
#include "core/measure/measure.h"
#include "core/records/records.h"
#include "platform/fake/fake_platform.h"
#include "support/temp_folder.h"

namespace pendolux::test {

// One press and release of a code as the sampler sees it.
inline void press_key(int code, int times = 1) {
    for (int i = 0; i < times; ++i) {
        fake_platform::set_key_down(code, true);
        poll_keys();
        fake_platform::set_key_down(code, false);
        poll_keys();
    }
}

struct LoggedRecord {
    std::int32_t time = 0;
    std::uint16_t delta = 0;
    std::map<int, int> pairs;
};

inline std::vector<std::uint8_t> read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits log.dat into records; a truncated tail makes `complete` false.
struct ParsedLog {
    std::vector<LoggedRecord> records;
    bool complete = true;
};

inline ParsedLog parse_log(const std::vector<std::uint8_t>& bytes) {
    ParsedLog log;
    auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8); };
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (at + 8 > bytes.size()) {
            log.complete = false;
            break;
        }
        LoggedRecord record;
        record.time = static_cast<std::int32_t>(u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16);
        record.delta = u16(at + 4);
        at += 6;
        bool ended = false;
        while (at + 2 <= bytes.size()) {
            const int code = u16(at);
            if (code == 0) {
                at += 2;
                ended = true;
                break;
            }
            if (at + 4 > bytes.size()) break;
            record.pairs[code] = u16(at + 2);
            at += 4;
        }
        if (!ended) {
            log.complete = false;
            break;
        }
        log.records.push_back(record);
    }
    return log;
}

// One press of A through the sampler; true when it reached (and left) the tally.
inline bool sampler_counts() {
    press_key(65);
    return take_key_tally(65) == 1;
}

// A clean start for each log test: fresh platform, empty tallies, a zeroed
// record with logging on, and its own program folder.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake_platform::reset();
        set_program_folder(folder.folder());
        for (int code = 0; code < 257; ++code) take_key_tally(code);
        config() = ConfigRecord{};
        config().logging = 1;
        set_distance_at_last_log(0);
    }
    std::string log_path() const { return folder.file("log.dat"); }

    TempFolder folder;
};

}  // namespace pendolux::test
