#include "core/settings/settings_form.h"

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/measure/measure.h"
#include "core/settings/settings_texts.h"
#include "core/settings/text_reading.h"
#include "platform/platform.h"

namespace pendolux {

SettingsForm fill_settings_form(const ConfigRecord& record) {
    SettingsForm form;
    form.always_on_top = record.always_on_top != 0;
    form.autostart = record.autostart != 0;
    form.logging = record.logging != 0;
    if (record.diagonal_in_inches == 1) {
        select_diagonal_unit(form, DiagonalUnit::inches);
        form.inch_text = diagonal_text(record.diagonal);
    } else {
        select_diagonal_unit(form, DiagonalUnit::centimetres);
        form.centimetre_text = diagonal_text(record.diagonal);
    }
    form.aspect_text = aspect_text(record.aspect_x, record.aspect_y);
    return form;
}

void select_diagonal_unit(SettingsForm& form, DiagonalUnit unit) {
    form.unit = unit;
    form.inch_box_visible = unit == DiagonalUnit::inches;
    form.unit_label = form.inch_box_visible ? settings_text::unit_inches : settings_text::unit_centimetres;
}

void store_settings(const SettingsForm& form, ConfigRecord& record) {
    record.always_on_top = form.always_on_top ? 1 : 0;
    record.autostart = form.autostart ? 1 : 0;
    record.logging = form.logging ? 1 : 0;
    record.diagonal_in_inches = form.unit == DiagonalUnit::inches ? 1 : 0;
    record.aspect_x = read_integer_byte(colon_field(form.aspect_text, 1));
    record.aspect_y = read_integer_byte(colon_field(form.aspect_text, 2));
    record.diagonal = read_real(record.diagonal_in_inches == 1 ? form.inch_text : form.centimetre_text);
}

void apply_settings(const SettingsForm& form, const std::function<void()>& apply_meter_topmost) {
    store_settings(form, config());
    calibrate_screen();
    if (apply_meter_topmost) apply_meter_topmost();
    reset_prev_position();
    platform::set_autostart(config().autostart == 1, platform::program_file());
    save_config();
}

}  // namespace pendolux
