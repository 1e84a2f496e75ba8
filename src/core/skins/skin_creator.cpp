#include "core/skins/skin_creator.h"

#include "core/skins/skin_file.h"

namespace pendolux {

OpenPictureOutcome creator_open_picture(SkinCreatorState& state, const std::string& chosen_path,
                                        const LoadCreatorPicture& load_picture) {
    state.picture_path = chosen_path;
    if (state.picture_path.empty()) return OpenPictureOutcome::cancelled;
    const PictureSize size = load_picture(state.picture_path).value_or(PictureSize{});
    state.has_picture = size.width == skin_picture_side && size.height == skin_picture_side;
    return state.has_picture ? OpenPictureOutcome::opened : OpenPictureOutcome::refused;
}

std::optional<std::uint32_t> creator_color_preset(const SkinCreatorState& state, ColorTarget target) {
    return color_dialog_preset(state.colors, state.has_picture, target);
}

void creator_color_picked(SkinCreatorState& state, ColorTarget target, std::uint32_t packed) {
    take_picked_color(state.colors, target, packed);
}

CreatorResetOutcome creator_reset(SkinCreatorState& state) {
    if (!state.has_picture) return CreatorResetOutcome::refused;
    if (state.picture_path.empty()) return CreatorResetOutcome::nothing;
    state.has_picture = false;
    state.colors = creator_start_colors;
    return CreatorResetOutcome::cleared;
}

std::string skin_save_path(const std::string& chosen_path) {
    const std::size_t last_separator = chosen_path.find_last_of("\\/");
    const std::size_t name_start = last_separator == std::string::npos ? 0 : last_separator + 1;
    const std::size_t last_dot = chosen_path.rfind('.');
    const bool has_extension = last_dot != std::string::npos && last_dot >= name_start;
    if (has_extension && chosen_path.compare(last_dot + 1, std::string::npos, "pxk") == 0) return chosen_path;
    return chosen_path + ".pxk";
}

SaveOutcome creator_save(SkinCreatorState& state, const std::string& chosen_path) {
    state.save_path = chosen_path.empty() ? std::string() : skin_save_path(chosen_path);
    if (state.save_path.empty()) return SaveOutcome::nothing_written;
    if (state.picture_path.empty()) return SaveOutcome::nothing_written;
    return write_skin_file(state.save_path, state.picture_path, state.colors.text, state.colors.result)
               ? SaveOutcome::written
               : SaveOutcome::failed;
}

void creator_cancel(SkinCreatorState& state) {
    if (!state.picture_path.empty()) state.has_picture = false;
}

}  // namespace pendolux
