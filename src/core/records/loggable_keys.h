#pragma once
// The keys and mouse buttons whose presses go into the usage log.
#include <cstdint>

namespace pendolux {

// Virtual-key codes 0-256 have a tally; a record lists at most this many pairs.
constexpr int key_code_count = 257;
constexpr int loggable_key_count = 104;

// True exactly for the 104 loggable codes; false for anything else,
// negative values and values above 256 included.
bool is_loggable_key(std::int32_t code);

}  // namespace pendolux
