// The usage log and the reset run on the main thread while the sampler keeps
// counting. Every press must end up in exactly one record, every centimetre in
// exactly one delta, and no increment in flight may bring a reset total back.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/config/program_state.h"
#include "core/records/records.h"
#include "records/records_test_support.h"
#include "support/temp_folder.h"

namespace pendolux {
namespace {

class RecordsConcurrencyTest : public test::LogTest {
protected:
    test::ParsedLog log() const { return test::parse_log(test::read_bytes(log_path())); }
};

TEST_F(RecordsConcurrencyTest, PressesSurviveRecordsAndResetsExactlyOnce) {
    ASSERT_TRUE(test::sampler_counts()) << "presses through the fake platform must reach the tallies";
    fake_platform::reset();  // a new querying thread must not see the check's press again
    constexpr int presses_per_code = 1500;
    const int codes[] = {1, 16, 65, 160};
    std::atomic<bool> done{false};
    std::thread sampler([&] {
        for (int i = 0; i < presses_per_code; ++i) {
            for (const int code : codes) test::press_key(code);
        }
        done = true;
    });
    int ticks = 0;
    while (!done) {
        append_usage_record();
        if (++ticks % 3 == 0) reset_totals();
        std::this_thread::yield();
    }
    sampler.join();
    append_usage_record();

    const test::ParsedLog parsed = log();
    ASSERT_TRUE(parsed.complete);
    std::map<int, long> sums;
    for (const auto& record : parsed.records) {
        for (const auto& [code, count] : record.pairs) sums[code] += count;
    }
    for (const int code : codes) EXPECT_EQ(sums[code], presses_per_code) << code;
    EXPECT_EQ(sums.size(), 4u);
}

TEST_F(RecordsConcurrencyTest, DistanceDeltasAddUpWhileThePointerMoves) {
    // Many small steps, so that records are taken while the total changes fast.
    constexpr std::int32_t steps = 2000000;
    std::atomic<bool> done{false};
    std::thread sampler([&] {
        for (std::int32_t i = 0; i < steps; ++i) config().distance.add_saturating(1);
        done = true;
    });
    while (!done) append_usage_record();
    sampler.join();
    append_usage_record();

    // Deltas are kept as their low 16 bits; so is their sum.
    const test::ParsedLog parsed = log();
    ASSERT_TRUE(parsed.complete);
    EXPECT_GT(parsed.records.size(), 2u);
    std::uint16_t sum = 0;
    for (const auto& record : parsed.records) sum = static_cast<std::uint16_t>(sum + record.delta);
    EXPECT_EQ(sum, static_cast<std::uint16_t>(steps));
    EXPECT_EQ(distance_at_last_log(), steps);
}

TEST_F(RecordsConcurrencyTest, IncrementInFlightNeverUndoesAReset) {
    constexpr int steps = 200000;
    std::atomic<int> counted{0};
    std::thread sampler([&] {
        for (int i = 0; i < steps; ++i) {
            config().keystrokes.add_saturating(1);
            config().clicks.add_saturating(1);
            config().distance.add_saturating(1);
            counted.fetch_add(1);
        }
    });
    int before_last_reset = 0;
    while (counted.load() < steps) {
        before_last_reset = counted.load();
        reset_totals();
    }
    sampler.join();
    // Increments that finished before the last reset must be gone from every total.
    EXPECT_LE(config().keystrokes.load(), steps - before_last_reset);
    EXPECT_LE(config().clicks.load(), steps - before_last_reset);
    EXPECT_LE(config().distance.load(), steps - before_last_reset);
    EXPECT_GE(config().keystrokes.load(), 0);
}

}  // namespace
}  // namespace pendolux
