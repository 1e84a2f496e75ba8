#include "core/skins/skin_dialog_common.h"

namespace pendolux {
namespace {
ColorTriple& target_color(WorkingColors& colors, ColorTarget target) {
    return target == ColorTarget::text ? colors.text : colors.result;
}
}  // namespace

std::optional<std::uint32_t> color_dialog_preset(const WorkingColors& colors, bool has_picture, ColorTarget target) {
    if (!has_picture) return std::nullopt;
    const ColorTriple& color = target == ColorTarget::text ? colors.text : colors.result;
    // Packed without masking, as a colour value is everywhere in the program.
    return static_cast<std::uint32_t>(color_value(color));
}

void take_picked_color(WorkingColors& colors, ColorTarget target, std::uint32_t packed) {
    target_color(colors, target) = {static_cast<std::int16_t>(packed & 0xFF),
                                    static_cast<std::int16_t>((packed >> 8) & 0xFF),
                                    static_cast<std::int16_t>((packed >> 16) & 0xFF)};
}

}  // namespace pendolux
