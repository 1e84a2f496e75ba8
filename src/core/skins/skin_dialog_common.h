#pragma once
// What the skin chooser and the skin creator have in common: the working
// colours, the colour buttons and the notices they show. The front end shows
// the windows and dialogs; these rules decide what happens.
#include <cstdint>
#include <optional>
#include <string>

#include "core/config/config_record.h"

namespace pendolux {

struct WorkingColors {
    ColorTriple text;
    ColorTriple result;
    bool operator==(const WorkingColors&) const = default;
};

enum class ColorTarget { text, result };

// A colour button ("Textfarbe" / "Ergebnisse"): without a dialog picture no
// result (the front end shows the no-skin notice); otherwise the colour the
// colour dialog starts with, packed as red + green * 256 + blue * 65536.
std::optional<std::uint32_t> color_dialog_preset(const WorkingColors& colors, bool has_picture, ColorTarget target);
// The colour dialog was confirmed: the working colour becomes the red, green
// and blue bytes of the packed value.
void take_picked_color(WorkingColors& colors, ColorTarget target, std::uint32_t packed);

// Where a dialog picture is decoded from.
struct PictureSource {
    bool builtin = false;  // the built-in skin picture, from the program's data
    std::string path;      // otherwise this file, decoded by content
};

// Notices, as title and text in Windows-1252.
struct Notice {
    const char* title;
    const char* text;
};
inline constexpr Notice no_skin_notice{"Fehler", "Sie m\xFCssen zuerst einen Skin laden"};
inline constexpr Notice wrong_picture_size_notice{"Info", "Die Grafik muss in einer Aufl\xF6sung von 100x100 Pixel vorliegen"};
inline constexpr Notice save_failed_notice{"Error", "Konnte nicht speichern"};

// The creator accepts only pictures exactly this wide and high.
inline constexpr int skin_picture_side = 100;

}  // namespace pendolux
