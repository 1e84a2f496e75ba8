#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/config/program_state.h"
#include "core/measure/display_size.h"
#include "core/measure/measure.h"
#include "core/measure/sampler_cycle.h"
#include "platform/fake/fake_platform.h"

namespace pendolux {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();

class DistanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake_platform::reset();
        config() = ConfigRecord{};
        use_display(1680, 1050);
        reset_prev_position();
    }
    static void use_display(int width, int height) {
        set_display_size(width, height);
        compute_jump_limit();
    }
    // Settings applied: the four inputs, calibrate_screen, reset_prev_position.
    static void calibrate(double diagonal, bool inches, int aspect_x, int aspect_y) {
        config().diagonal = diagonal;
        config().diagonal_in_inches = inches ? 1 : 0;
        config().aspect_x = static_cast<std::int8_t>(aspect_x);
        config().aspect_y = static_cast<std::int8_t>(aspect_y);
        calibrate_screen();
        reset_prev_position();
    }
    static void use_factors(double x, double y) {
        config().cm_per_px_x = x;
        config().cm_per_px_y = y;
        reset_prev_position();
    }
    static void start_at(int x, int y) {
        fake_platform::set_pointer(x, y);
        reset_prev_position();
    }
    // One sample at (x, y); the centimetres it added.
    static std::int32_t sample_at(int x, int y) {
        fake_platform::set_pointer(x, y);
        const std::int32_t before = config().distance.load();
        distance_step();
        return config().distance.load() - before;
    }
};

TEST_F(DistanceTest, JumpLimitIsTheRoundedPixelDiagonal) {
    struct Case {
        int width, height;
        std::int32_t limit;
    };
    for (const Case c : {Case{1680, 1050, 1981}, Case{1280, 1024, 1639}, Case{1920, 1080, 2203}, Case{0, 0, 0}}) {
        use_display(c.width, c.height);
        EXPECT_EQ(jump_limit(), c.limit) << c.width << "x" << c.height;
    }
}

TEST_F(DistanceTest, CalibrationUsesTheDiagonalInWholeCentimetres) {
    struct Case {
        double diagonal;
        bool inches;
        int aspect_x, aspect_y, width, height;
        double diagonal_cm;
    };
    const Case cases[] = {
        {22, true, 16, 10, 1680, 1050, 56},   {19, true, 4, 3, 1280, 1024, 48},  {15.4, true, 16, 10, 1280, 800, 39},
        {21.6, true, 16, 9, 1920, 1080, 55},  {54.9, false, 16, 9, 1920, 1080, 55}, {22.5, false, 4, 3, 1024, 768, 22},
        {23.5, false, 4, 3, 1024, 768, 24},
    };
    for (const Case& c : cases) {
        use_display(c.width, c.height);
        calibrate(c.diagonal, c.inches, c.aspect_x, c.aspect_y);
        const double unit = std::sqrt(c.diagonal_cm * c.diagonal_cm / (c.aspect_x * c.aspect_x + c.aspect_y * c.aspect_y));
        EXPECT_DOUBLE_EQ(config().cm_per_px_x, unit * c.aspect_x / c.width) << c.diagonal;
        EXPECT_DOUBLE_EQ(config().cm_per_px_y, unit * c.aspect_y / c.height) << c.diagonal;
    }
    use_display(1680, 1050);
    calibrate(22, true, 16, 10);
    EXPECT_NEAR(config().cm_per_px_x, 0.028266610134, 1e-12);
    EXPECT_NEAR(config().cm_per_px_y, 0.028266610134, 1e-12);
    use_display(1280, 1024);
    calibrate(19, true, 4, 3);
    EXPECT_DOUBLE_EQ(config().cm_per_px_x, 0.03);
    EXPECT_DOUBLE_EQ(config().cm_per_px_y, 0.028125);
}

TEST_F(DistanceTest, WorkedSamplesOnA22Inch16By10Monitor) {
    calibrate(22, true, 16, 10);
    EXPECT_EQ(sample_at(0, 0), 0);
    EXPECT_EQ(sample_at(0, 0), 0);  // at rest
    EXPECT_EQ(sample_at(1679, 1049), 56);
    start_at(0, 0);
    EXPECT_EQ(sample_at(17, 0), 0);  // 0.48 cm
    EXPECT_EQ(sample_at(18, 0), 1);  // 0.51 cm
    start_at(0, 0);
    EXPECT_EQ(sample_at(18, 18), 1);  // both axes by 1 cm: round(1.414)
    start_at(0, 0);
    EXPECT_EQ(sample_at(840, 525), 28);  // (24, 15) cm
}

TEST_F(DistanceTest, TiesGoToEvenOnA19Inch4By3MonitorAt1280By1024) {
    use_display(1280, 1024);
    calibrate(19, true, 4, 3);
    EXPECT_EQ(sample_at(50, 0), 2);  // 1.5 -> 2
    start_at(0, 0);
    EXPECT_EQ(sample_at(150, 0), 4);  // 4.5 -> 4
}

TEST_F(DistanceTest, SmallSamplesAlongOneAxisAddUpToTheRoundedTravel) {
    calibrate(22, true, 16, 10);
    for (int x = 0; x <= 1679; ++x) sample_at(x, 0);
    EXPECT_EQ(config().distance.load(), 47);
    for (int i = 0; i < 20; ++i) sample_at(1679 - (i % 2) * 1, 0);  // jitter inside one centimetre
    EXPECT_EQ(config().distance.load(), 47);
}

TEST_F(DistanceTest, StepsLongerThanTheJumpLimitAreDroppedAndNotMeasuredAgain) {
    use_factors(1.0, 1.0);  // 1 cm per pixel: jump_limit 1981 cm
    EXPECT_EQ(sample_at(1981, 0), 1981);
    EXPECT_EQ(sample_at(1981 + 1982, 0), 0);
    EXPECT_EQ(sample_at(1981 + 1982 + 3, 4), 5);

    // About 10 cm per pixel from an absurd centimetre diagonal.
    calibrate(19811, false, 16, 10);
    start_at(0, 0);
    EXPECT_EQ(sample_at(198, 0), 1980);
    EXPECT_EQ(sample_at(0, 0), 1980);
    EXPECT_EQ(sample_at(199, 0), 0);  // 1990 cm
    EXPECT_EQ(sample_at(200, 0), 10);
}

TEST_F(DistanceTest, NewCalibrationFarFromTheOriginAddsNothing) {
    calibrate(22, true, 16, 10);
    start_at(1600, 1000);
    EXPECT_EQ(sample_at(1600, 1000), 0);
    // The dialog stores the factors first; samples until the previous position
    // is reset keep measuring in the old scale.
    config().diagonal = 19;
    config().aspect_x = 4;
    config().aspect_y = 3;
    calibrate_screen();
    EXPECT_EQ(sample_at(1600, 1000), 0);
    reset_prev_position();
    EXPECT_EQ(sample_at(1600, 1000), 0);
    EXPECT_EQ(sample_at(1600, 1000 + 100), 3);  // now in the new scale
}

// The sampler measures positions it asked for a cycle earlier: one asked for
// before a recalibration is not measured against the new previous position.
TEST_F(DistanceTest, PositionAskedForBeforeARecalibrationIsNotMeasured) {
    use_factors(0.03, 0.03);
    start_at(0, 0);
    const std::uint64_t before_recalibration = distance_ticket();
    EXPECT_EQ(distance_step_from({1000, 0}, before_recalibration), 30);
    start_at(0, 0);
    EXPECT_EQ(distance_step_from({1000, 0}, before_recalibration), 0);
    EXPECT_EQ(distance_step_from({1000, 0}, distance_ticket()), 30);
    EXPECT_EQ(config().distance.load(), 60);
}

TEST_F(DistanceTest, FreshRecordCountsNothingWhateverThePointerDoes) {
    for (int i = 0; i < 50; ++i) sample_at(i * 97 % 1680, i * 31 % 1050);
    EXPECT_EQ(config().distance.load(), 0);
}

TEST_F(DistanceTest, UnusableCalibrationsCountNothingAndNeverCrash) {
    struct Case {
        std::string name;
        double diagonal;
        int aspect_x, aspect_y;
    };
    const Case cases[] = {
        {"nan", std::nan(""), 16, 10}, {"inf", inf, 16, 10}, {"minus_inf", -inf, 16, 10},
        {"zero", 0, 16, 10},           {"aspect_0_0", 22, 0, 0}, {"huge", 1e300, 16, 10},
    };
    for (const Case& c : cases) {
        config().distance = 0;
        calibrate(c.diagonal, false, c.aspect_x, c.aspect_y);
        start_at(5, 5);
        for (int i = 0; i < 20; ++i) sample_at(i * 97 % 1680, i * 31 % 1050);
        EXPECT_EQ(config().distance.load(), 0) << c.name;
    }
    // Factors that are not finite straight from a record.
    for (const double factor : {std::nan(""), inf, -inf}) {
        use_factors(factor, factor);
        sample_at(1000, 1000);
        EXPECT_EQ(config().distance.load(), 0);
    }
    // A display size of 0 makes the factors infinite.
    use_display(0, 0);
    calibrate(22, true, 16, 10);
    EXPECT_EQ(sample_at(1000, 1000), 0);
}

TEST_F(DistanceTest, OneZeroAspectNumberLaysTheDiagonalAlongTheOtherAxis) {
    calibrate(56, false, 16, 0);
    EXPECT_DOUBLE_EQ(config().cm_per_px_x, 56.0 / 1680);
    EXPECT_EQ(config().cm_per_px_y, 0.0);
    EXPECT_EQ(sample_at(0, 1049), 0);
    EXPECT_EQ(sample_at(1680, 1049), 56);
}

TEST_F(DistanceTest, NegativeAspectAndDiagonalStillMeasurePositiveDistance) {
    calibrate(-22, true, -16, -10);
    EXPECT_EQ(sample_at(1679, 1049), 56);
}

TEST_F(DistanceTest, PositionsBeyondTheInt32RangeAddNothingAndRestartTheMeasurement) {
    use_factors(1e7, 1e7);  // 300 px = 3e9 cm
    EXPECT_EQ(sample_at(100, 0), 0);  // 1e9 cm: in range, but a jump
    EXPECT_EQ(sample_at(300, 0), 0);  // out of range
    EXPECT_EQ(sample_at(-300, 0), 0);
    EXPECT_EQ(sample_at(100, 0), 0);  // back in range: measures from here
    use_display(10000000, 0);         // a jump limit of 1e7 cm
    EXPECT_EQ(sample_at(100, 0), 0);
    EXPECT_EQ(sample_at(101, 0), 10000000);
    EXPECT_EQ(config().distance.load(), 10000000);
}

TEST_F(DistanceTest, DistanceSaturatesAtTheInt32Maximum) {
    calibrate(22, true, 16, 10);
    config().distance = int32_max - 10;
    sample_at(1679, 1049);
    EXPECT_EQ(config().distance.load(), int32_max);
    config().distance = -100;  // a negative total from a damaged record counts up
    sample_at(0, 0);
    EXPECT_EQ(config().distance.load(), -44);
}

}  // namespace
}  // namespace pendolux
