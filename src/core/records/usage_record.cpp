#include "core/records/usage_record.h"

namespace pendolux {
namespace {

void put16(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    put16(bytes, value & 0xFFFF);
    put16(bytes, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> encode_usage_record(std::int32_t time, std::int32_t distance_delta,
                                              const KeyTallies& tallies) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(8 + 4 * loggable_key_count);
    put32(bytes, static_cast<std::uint32_t>(time));
    put16(bytes, static_cast<std::uint32_t>(distance_delta));
    for (int code = 0; code < key_code_count; ++code) {
        const std::int32_t tally = tallies[static_cast<std::size_t>(code)];
        if (!is_loggable_key(code) || tally <= 0) continue;
        put16(bytes, static_cast<std::uint32_t>(code));
        put16(bytes, static_cast<std::uint32_t>(tally));
    }
    put16(bytes, 0);  // end mark: code 0 is never loggable
    return bytes;
}

}  // namespace pendolux
