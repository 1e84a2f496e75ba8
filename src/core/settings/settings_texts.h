#pragma once
// The dialog's captions and preset lists, single-byte Windows-1252 as every
// text of the program; front ends convert them for display.
#include <array>
#include <string_view>

namespace pendolux::settings_text {

inline constexpr std::string_view title = "Einstellungen";
inline constexpr std::string_view always_on_top = "Immer im Vordergrund";
inline constexpr std::string_view autostart = "Automatisch mit Windows starten";
inline constexpr std::string_view logging = "Protokollierung aktivieren";
inline constexpr std::string_view explanation =
    "Um eine passende Angabe der Mausstrecke zu bekommen m\xFCssen hier Ihre Monitordiagonale und das "
    "Seitenverh\xE4ltnis Ihres Monitors eingetragen werden.";
inline constexpr std::string_view in_inches = "Diagonale in Zoll";
inline constexpr std::string_view in_centimetres = "Diagonale in Zentimeter";
inline constexpr std::string_view diagonal = "Bildschirmdiagonale:";
inline constexpr std::string_view unit_inches = "Zoll";
inline constexpr std::string_view unit_centimetres = "Zentimeter";
inline constexpr std::string_view aspect = "Seitenverh\xE4ltnis:";
inline constexpr std::string_view apply = "Anwenden";

inline constexpr std::array<std::string_view, 11> inch_presets = {"7",  "9",  "13", "15.4", "17", "19",
                                                                   "20", "21", "21.6", "22", "24"};
inline constexpr std::array<std::string_view, 10> centimetre_presets = {"17.9", "22.9", "33",   "39.1", "43.2",
                                                                         "48.3", "50.8", "53.3", "54.9", "70"};
inline constexpr std::array<std::string_view, 3> aspect_presets = {"4:3", "16:9", "16:10"};

}  // namespace pendolux::settings_text
