#pragma once
// The rules of the skin creator "Skin erstellen". The front end owns the
// window, the dialog picture and the file and colour dialogs; it asks these
// functions what each button does with their results.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/skins/skin_dialog_common.h"

namespace pendolux {

inline constexpr WorkingColors creator_start_colors{{255, 255, 255}, {255, 255, 255}};

struct SkinCreatorState {
    std::string picture_path;  // the open dialog's last result, empty after a cancelled one
    std::string save_path;     // the save dialog's result with the extension added
    bool has_picture = false;  // whether a dialog picture exists
    WorkingColors colors = creator_start_colors;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

// Replaces the dialog picture by the one decoded from the file (dropping the
// old one either way) and gives its size; no result when nothing decodes.
using LoadCreatorPicture = std::function<std::optional<PictureSize>(const std::string& path)>;

enum class OpenPictureOutcome {
    cancelled,  // nothing changed but picture_path
    opened,     // a 100 x 100 picture is the dialog picture
    refused,    // wrong size or no picture: the size notice, no dialog picture
};
// "Grafik öffnen", chosen_path being the open dialog's result (empty: cancelled).
OpenPictureOutcome creator_open_picture(SkinCreatorState& state, const std::string& chosen_path,
                                        const LoadCreatorPicture& load_picture);

// "Textfarbe" / "Ergebnisse": see color_dialog_preset and take_picked_color.
std::optional<std::uint32_t> creator_color_preset(const SkinCreatorState& state, ColorTarget target);
void creator_color_picked(SkinCreatorState& state, ColorTarget target, std::uint32_t packed);

enum class CreatorResetOutcome {
    refused,  // no dialog picture: the no-skin notice
    cleared,  // picture gone, preview emptied, colours white again
    nothing,  // a picture but no picture_path (after a cancelled open)
};
CreatorResetOutcome creator_reset(SkinCreatorState& state);

// The path a skin is saved under: unless the extension (the text after the
// last '.' behind the last '\' or '/') is exactly "pxk", ".pxk" is appended.
std::string skin_save_path(const std::string& chosen_path);

enum class SaveOutcome {
    nothing_written,  // the save dialog was cancelled or no picture file was ever chosen
    written,
    failed,  // the failure notice; the dialog closes all the same
};
// "Speichern", chosen_path being the save dialog's result (empty: cancelled).
// Writes a skin of picture_path, whether or not a dialog picture exists.
SaveOutcome creator_save(SkinCreatorState& state, const std::string& chosen_path);

// "Abbrechen": nothing is written; the dialog picture goes.
void creator_cancel(SkinCreatorState& state);

}  // namespace pendolux
