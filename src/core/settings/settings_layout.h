#pragma once
// Where the dialog's controls go, in the order they are created. Positions
// inside a frame are relative to the frame's inside.
#include <array>

namespace pendolux {

inline constexpr int settings_client_width = 300;
inline constexpr int settings_client_height = 230;

enum class SettingsControl {
    options_frame,
    always_on_top_box,
    autostart_box,
    logging_box,
    monitor_frame,
    explanation_label,
    inches_option,
    centimetres_option,
    diagonal_label,
    inch_box,
    centimetre_box,
    unit_label,
    aspect_label,
    aspect_box,
    apply_button,
};

enum class ControlParent { window, options_frame, monitor_frame };

struct ControlPlace {
    SettingsControl control;
    ControlParent parent;
    int x, y, width, height;
};

inline constexpr std::array<ControlPlace, 15> settings_layout = {{
    {SettingsControl::options_frame, ControlParent::window, 2, 2, 296, 75},
    {SettingsControl::always_on_top_box, ControlParent::options_frame, 2, 0, 200, 25},
    {SettingsControl::autostart_box, ControlParent::options_frame, 2, 25, 200, 25},
    {SettingsControl::logging_box, ControlParent::options_frame, 2, 50, 200, 25},
    {SettingsControl::monitor_frame, ControlParent::window, 2, 80, 296, 125},
    {SettingsControl::explanation_label, ControlParent::monitor_frame, 2, 2, 300, 40},
    {SettingsControl::inches_option, ControlParent::monitor_frame, 2, 45, 200, 15},
    {SettingsControl::centimetres_option, ControlParent::monitor_frame, 2, 60, 200, 15},
    {SettingsControl::diagonal_label, ControlParent::monitor_frame, 2, 80, 100, 15},
    {SettingsControl::inch_box, ControlParent::monitor_frame, 100, 78, 100, 20},
    {SettingsControl::centimetre_box, ControlParent::monitor_frame, 100, 78, 100, 20},
    {SettingsControl::unit_label, ControlParent::monitor_frame, 205, 80, 100, 20},
    {SettingsControl::aspect_label, ControlParent::monitor_frame, 2, 102, 100, 13},
    {SettingsControl::aspect_box, ControlParent::monitor_frame, 100, 100, 100, 20},
    // The button sits 22 pixels above the bottom of the inner area.
    {SettingsControl::apply_button, ControlParent::window, 100, settings_client_height - 22, 100, 20},
}};

// One-pixel border of both frames.
inline constexpr int settings_frame_border = 1;

}  // namespace pendolux
