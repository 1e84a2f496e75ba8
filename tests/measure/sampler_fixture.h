#pragma once
// Fresh sampler state for each test: nothing held, no tallies, zero totals.
#include <gtest/gtest.h>

#include "core/config/program_state.h"
#include "core/measure/key_codes.h"
#include "core/measure/measure.h"
#include "platform/fake/fake_platform.h"

namespace pendolux::test {

class SamplerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake_platform::reset();
        clear_key_down();
        for (int code = 0; code < key_code_count; ++code) take_key_tally(code);
        config() = ConfigRecord{};
    }
    static std::int32_t keystrokes() { return config().keystrokes.load(); }
    static std::int32_t clicks() { return config().clicks.load(); }
};

}  // namespace pendolux::test
