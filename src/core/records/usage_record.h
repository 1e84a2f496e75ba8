#pragma once
// One usage record of log.dat, little-endian:
//   int32 time (local seconds), uint16 distance delta (low 16 bits),
//   n pairs of uint16 code + uint16 tally (low 16 bits) in ascending code order,
//   one for each loggable code with a tally above 0, then the end mark 0.
// 8 + 4n bytes, n from 0 to 104.
#include <array>
#include <cstdint>
#include <vector>

#include "core/records/loggable_keys.h"

namespace pendolux {

using KeyTallies = std::array<std::int32_t, key_code_count>;

std::vector<std::uint8_t> encode_usage_record(std::int32_t time, std::int32_t distance_delta,
                                              const KeyTallies& tallies);

}  // namespace pendolux
