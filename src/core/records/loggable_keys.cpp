#include "core/records/loggable_keys.h"

#include <array>

namespace pendolux {
namespace {

struct CodeRange {
    int first;
    int last;
};

// Inclusive ranges of Windows virtual-key codes. Left out on purpose: 5 and 6
// (extra mouse buttons), 17 and 18 (generic Ctrl/Alt, their sided twins are in),
// 161 (right Shift: left Shift and the generic 16 already count it).
constexpr CodeRange loggable_ranges[] = {
    {1, 2},     {4, 4},     {8, 9},     {13, 13},   {16, 16},   {19, 20},   {27, 27},
    {32, 40},   {44, 46},   {48, 57},   {65, 90},   {96, 107},  {109, 123}, {144, 145},
    {160, 160}, {162, 165}, {186, 192}, {219, 222}, {226, 226},
};

constexpr std::array<bool, key_code_count> make_loggable_table() {
    std::array<bool, key_code_count> table{};
    for (const CodeRange& range : loggable_ranges) {
        for (int code = range.first; code <= range.last; ++code) table[static_cast<std::size_t>(code)] = true;
    }
    return table;
}

constexpr std::array<bool, key_code_count> loggable_table = make_loggable_table();

constexpr int count_loggable() {
    int count = 0;
    for (const bool in_set : loggable_table) count += in_set ? 1 : 0;
    return count;
}
static_assert(count_loggable() == loggable_key_count);

}  // namespace

bool is_loggable_key(std::int32_t code) {
    return code >= 0 && code < key_code_count && loggable_table[static_cast<std::size_t>(code)];
}

}  // namespace pendolux
