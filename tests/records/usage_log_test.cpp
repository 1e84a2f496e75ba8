// The usage log and the reset against the fake platform and a temporary folder.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/records/local_seconds.h"
#include "core/records/records.h"
#include "records/records_test_support.h"
#include "support/temp_folder.h"

namespace pendolux {
namespace {

using test::parse_log;
using test::press_key;
using test::read_bytes;

class UsageLogTest : public test::LogTest {
protected:
    void SetUp() override {
        LogTest::SetUp();
        ASSERT_TRUE(test::sampler_counts()) << "presses through the fake platform must reach the tallies";
    }
    std::vector<test::LoggedRecord> records() const {
        const test::ParsedLog log = parse_log(read_bytes(log_path()));
        EXPECT_TRUE(log.complete);
        return log.records;
    }
};

TEST_F(UsageLogTest, AppendsOneRecordPerTickAndClearsEveryTally) {
    fake_platform::set_local_time({2024, 2, 29, 23, 59, 59});
    config().distance = 1000;
    set_distance_at_last_log(400);
    press_key(65, 3);
    press_key(5, 2);    // extra button: counted, never logged
    press_key(161, 1);  // right Shift: not logged
    append_usage_record();

    fake_platform::set_local_time({2024, 3, 1, 0, 0, 59});
    press_key(65);
    append_usage_record();
    append_usage_record();  // nothing happened: 8 bytes

    const auto logged = records();
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[0].time, 1709251199);
    EXPECT_EQ(logged[0].delta, 600);
    EXPECT_EQ(logged[0].pairs, (std::map<int, int>{{65, 3}}));
    EXPECT_EQ(logged[1].time, 1709251259);
    EXPECT_EQ(logged[1].delta, 0);
    EXPECT_EQ(logged[1].pairs, (std::map<int, int>{{65, 1}}));
    EXPECT_TRUE(logged[2].pairs.empty());
    EXPECT_EQ(read_bytes(log_path()).size(), 12u + 12u + 8u);
    for (int code = 0; code < 257; ++code) EXPECT_EQ(key_tally(code), 0) << code;
    EXPECT_EQ(distance_at_last_log(), 1000);
}

TEST_F(UsageLogTest, LoggingOtherThanOneWritesAndConsumesNothing) {
    for (const std::int8_t off : {std::int8_t{0}, std::int8_t{2}, std::int8_t{-1}}) {
        config().logging = off;
        config().distance = 50;
        set_distance_at_last_log(20);
        press_key(66, 2);
        append_usage_record();
        EXPECT_FALSE(std::filesystem::exists(log_path())) << int{off};
        EXPECT_EQ(key_tally(66), 2);
        EXPECT_EQ(distance_at_last_log(), 20);
        take_key_tally(66);
    }
    // Switched on again, the first record holds what was kept.
    config().logging = 1;
    press_key(66);
    append_usage_record();
    const auto logged = records();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].delta, 30);
    EXPECT_EQ(logged[0].pairs, (std::map<int, int>{{66, 1}}));
}

TEST_F(UsageLogTest, ResetKeepsTalliesButCountsDistanceFromZero) {
    fake_platform::set_local_time({2000, 2, 29, 7, 8, 9});
    config().keystrokes = 11;
    config().clicks = 12;
    config().distance = 5000;
    config().logging = 0;
    config().window_x = 77;
    set_distance_at_last_log(4000);
    press_key(1, 4);
    reset_totals();

    EXPECT_EQ(config().keystrokes.load(), 0);
    EXPECT_EQ(config().clicks.load(), 0);
    EXPECT_EQ(config().distance.load(), 0);
    EXPECT_EQ(config().logging, 1);
    EXPECT_EQ(config().window_x, 77);
    EXPECT_EQ(reset_stamp_text(config()), "29.02.2000 um 07:08:09");
    EXPECT_EQ(distance_at_last_log(), 0);
    EXPECT_EQ(key_tally(1), 4);

    // What save_config wrote is the reset record.
    ConfigRecord saved;
    ASSERT_EQ(load_config_file(saved, folder.file("config.dat"), 800, 600), ConfigLoad::loaded);
    EXPECT_EQ(saved.distance.load(), 0);
    EXPECT_EQ(saved.logging, 1);
    EXPECT_EQ(reset_stamp_text(saved), "29.02.2000 um 07:08:09");

    config().distance = 25;
    append_usage_record();
    const auto logged = records();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].delta, 25);
    EXPECT_EQ(logged[0].pairs, (std::map<int, int>{{1, 4}}));
}

TEST_F(UsageLogTest, StampFillsTheFieldWithZerosAfterTheText) {
    config().reset_stamp.fill('x');
    reset_totals();
    EXPECT_EQ(config().reset_stamp[21], '9');
    EXPECT_EQ(config().reset_stamp[22], '\0');
    EXPECT_EQ(config().reset_stamp[23], '\0');
}

TEST_F(UsageLogTest, AppendsAfterExistingBytesAndKeepsThem) {
    const std::vector<std::uint8_t> earlier = {1, 2, 3, 4, 5, 6, 0, 0};
    {
        std::ofstream out(log_path(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(earlier.data()), static_cast<std::streamsize>(earlier.size()));
    }
    append_usage_record();
    const auto bytes = read_bytes(log_path());
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_TRUE(std::equal(earlier.begin(), earlier.end(), bytes.begin()));
}

// Each way log.dat cannot be written: nothing appears, the minute is still consumed.
TEST_F(UsageLogTest, UnwritableLogStillConsumesTheMinute) {
    struct Case {
        const char* name;
        std::function<void(test::TempFolder&)> spoil;
        std::function<void()> restore;
    };
    int held = -1;
    const Case cases[] = {
        {"log.dat is a folder", [](test::TempFolder& f) { std::filesystem::create_directory(f.file("log.dat")); },
         [this] { std::filesystem::remove(log_path()); }},
        {"program folder missing", [](test::TempFolder& f) { set_program_folder(f.file("gone/")); },
         [this] { set_program_folder(folder.folder()); }},
        {"log.dat locked by another writer",
         [&held](test::TempFolder& f) {
             held = ::open(f.file("log.dat").c_str(), O_WRONLY | O_CREAT, 0644);
             ::flock(held, LOCK_EX);
         },
         [&held, this] {
             ::close(held);
             std::filesystem::remove(log_path());
         }},
    };
    for (const Case& c : cases) {
        c.spoil(folder);
        config().distance = 300;
        set_distance_at_last_log(100);
        press_key(67, 2);
        append_usage_record();
        EXPECT_EQ(key_tally(67), 0) << c.name;
        EXPECT_EQ(distance_at_last_log(), 300) << c.name;
        if (std::filesystem::is_regular_file(log_path())) {
            EXPECT_EQ(std::filesystem::file_size(log_path()), 0u) << c.name;
        }
        c.restore();
        EXPECT_FALSE(std::filesystem::exists(log_path())) << c.name;
    }
}

// A disk that fills up in the middle of a record must not leave half a record
// behind, or every later record would be read out of step.
TEST_F(UsageLogTest, RecordWrittenOnlyInPartIsCutOffAgain) {
    append_usage_record();  // 8 bytes
    press_key(69);
    press_key(70);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    ::getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit small = old_limit;
    small.rlim_cur = 8 + 10;  // room for 10 of the next record's 16 bytes
    ::setrlimit(RLIMIT_FSIZE, &small);
    append_usage_record();
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(read_bytes(log_path()).size(), 8u);
    EXPECT_EQ(key_tally(69), 0);
    append_usage_record();
    EXPECT_EQ(records().size(), 2u);
}

TEST_F(UsageLogTest, FifoNamedLikeTheLogDoesNotHang) {
    ASSERT_EQ(::mkfifo(log_path().c_str(), 0644), 0);
    press_key(68);
    append_usage_record();
    EXPECT_EQ(key_tally(68), 0);
}

}  // namespace
}  // namespace pendolux
