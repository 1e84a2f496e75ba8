#pragma once
// The rules of the skin chooser "Skin laden". The front end owns the window,
// the dialog picture and the colour dialog; it asks these functions what each
// list and button event does.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/config_record.h"
#include "core/skins/skin_dialog_common.h"

namespace pendolux {

inline constexpr std::string_view builtin_skin_entry = "Standard";   // its list entry
inline constexpr std::string_view builtin_skin_marker = "default";   // selected_skin while it is chosen
inline constexpr WorkingColors builtin_skin_colors{{100, 100, 100}, {0, 140, 200}};
inline constexpr std::string_view scratch_file_name = "tmp.dat";

std::string scratch_file_path();  // program folder + "tmp.dat"

struct SkinChooserState {
    std::string selected_skin;  // skin file path, builtin_skin_marker, or empty before any selection
    std::string scratch_path;   // the scratch file while a skin file is selected, else empty
    bool has_picture = false;   // whether a dialog picture exists
    WorkingColors colors;       // black until a selection sets them
};

// The list's entries: "Standard", then the skin files of the skins folder in
// directory order (the folder is created when it cannot be listed).
std::vector<std::string> skin_chooser_entries();

// Replaces the dialog picture by the one decoded from source (dropping the old
// one either way) and tells whether one decoded.
using LoadDialogPicture = std::function<bool(const PictureSource&)>;

// A selection in the list, entry being the selected entry's text. An unreadable
// skin file changes only selected_skin and scratch_path.
void chooser_select(SkinChooserState& state, std::string_view entry, const LoadDialogPicture& load_picture);

// "Textfarbe" / "Ergebnisse": see color_dialog_preset and take_picked_color.
std::optional<std::uint32_t> chooser_color_preset(const SkinChooserState& state, ColorTarget target);
void chooser_color_picked(SkinChooserState& state, ColorTarget target, std::uint32_t packed);

// "Zurücksetzen": false when there is no dialog picture (the no-skin notice);
// otherwise the colours of the built-in skin or of the selected skin file.
bool chooser_reset(SkinChooserState& state);

// "Abbrechen": nothing is applied; the dialog picture goes.
void chooser_cancel(SkinChooserState& state);

// "Anwenden": when a skin with a picture is selected, stores the working
// colours and the scratch path in record and tells where the meter's new
// picture comes from; otherwise changes nothing and gives no result.
std::optional<PictureSource> chooser_apply(SkinChooserState& state, ConfigRecord& record);

// Closing in any way: the record is saved.
void chooser_closed();

}  // namespace pendolux
