#include "core/skins/skin_chooser.h"

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/skins/skin_file.h"
#include "core/skins/skins_folder.h"

namespace pendolux {

std::string scratch_file_path() { return program_file_path(scratch_file_name); }

std::vector<std::string> skin_chooser_entries() {
    std::vector<std::string> entries{std::string(builtin_skin_entry)};
    for (auto& name : list_or_create_skins_folder()) entries.push_back(std::move(name));
    return entries;
}

void chooser_select(SkinChooserState& state, std::string_view entry, const LoadDialogPicture& load_picture) {
    if (entry == builtin_skin_entry) {
        state.selected_skin = builtin_skin_marker;
        state.scratch_path.clear();
        state.colors = builtin_skin_colors;
        state.has_picture = load_picture(PictureSource{true, {}});
        return;
    }
    state.selected_skin = skin_file_path(entry);
    state.scratch_path = scratch_file_path();
    const auto header = unpack_skin_file(state.selected_skin, state.scratch_path);
    if (!header) return;
    state.colors = {header->text_color, header->result_color};
    state.has_picture = load_picture(PictureSource{false, state.scratch_path});
}

std::optional<std::uint32_t> chooser_color_preset(const SkinChooserState& state, ColorTarget target) {
    return color_dialog_preset(state.colors, state.has_picture, target);
}

void chooser_color_picked(SkinChooserState& state, ColorTarget target, std::uint32_t packed) {
    take_picked_color(state.colors, target, packed);
}

bool chooser_reset(SkinChooserState& state) {
    if (!state.has_picture) return false;
    if (state.selected_skin == builtin_skin_marker) {
        state.colors = builtin_skin_colors;
    } else if (const auto header = read_skin_header(state.selected_skin)) {
        state.colors = {header->text_color, header->result_color};
    }
    return true;
}

void chooser_cancel(SkinChooserState& state) {
    if (!state.selected_skin.empty()) state.has_picture = false;
}

std::optional<PictureSource> chooser_apply(SkinChooserState& state, ConfigRecord& record) {
    if (state.selected_skin.empty() || !state.has_picture) return std::nullopt;
    state.has_picture = false;
    record.text_color = state.colors.text;
    record.result_color = state.colors.result;
    set_skin_path(record, state.scratch_path);
    if (state.selected_skin == builtin_skin_marker) return PictureSource{true, {}};
    return PictureSource{false, state.scratch_path};
}

void chooser_closed() { save_config(); }

}  // namespace pendolux
