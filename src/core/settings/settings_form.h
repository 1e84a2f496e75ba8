#pragma once
// The settings dialog without a toolkit: the state of its controls, how they
// are filled from the record, the unit switch, and "Anwenden".
#include <functional>
#include <string>
#include <string_view>

#include "core/config/config_record.h"

namespace pendolux {

enum class DiagonalUnit { inches, centimetres };

struct SettingsForm {
    bool always_on_top = false;
    bool autostart = false;
    bool logging = false;
    DiagonalUnit unit = DiagonalUnit::inches;
    // Edit texts of the three boxes (Windows-1252 bytes, as typed).
    std::string inch_text;
    std::string centimetre_text;
    std::string aspect_text;
    // What the unit shows: exactly one of the two diagonal boxes, and its label.
    bool inch_box_visible = true;
    std::string_view unit_label;
};

// The controls as the dialog opens on this record. The box of the other unit stays empty.
SettingsForm fill_settings_form(const ConfigRecord& record);

// Option button clicked: shows the box of the unit and its label; no text is converted.
void select_diagonal_unit(SettingsForm& form, DiagonalUnit unit);

// Steps 1-7 of "Anwenden": the controls into the record's fields, in order.
void store_settings(const SettingsForm& form, ConfigRecord& record);

// "Anwenden" on the one record: stores the controls, recalibrates, applies the
// meter's topmost state (through the front end), measures from the pointer's
// current position, registers or removes autostart, and saves.
void apply_settings(const SettingsForm& form, const std::function<void()>& apply_meter_topmost);

}  // namespace pendolux
