#include "core/app/main_loop.h"

namespace pendolux {

bool inside_meter_box(const MeterPlace& meter, int x, int y) {
    return meter.left < x && x < meter.left + 100 && meter.top < y && y < meter.top + 100;
}

PassResult main_loop_pass(MainLoopState& state, const PassInput& input) {
    PassResult result;
    const LoopEvent& event = input.event;
    const bool inside = inside_meter_box(input.meter, input.x, input.y);
    if (event.kind == LoopEvent::Kind::tray && event.tray == TrayMessage::right_button_down) {
        result.branch = PassBranch::show_menu;
    } else if (event.kind == LoopEvent::Kind::tray && event.tray == TrayMessage::left_double_click) {
        result.branch = PassBranch::toggle_meter;
        state.meter_hidden = !state.meter_hidden;
        result.show_meter = !state.meter_hidden;
    } else if (input.left_button() && input.meter_foreground && inside) {
        result.branch = PassBranch::drag_start;
        state.dragging = true;
    } else if (!input.left_button() && inside) {
        result.branch = PassBranch::release_or_hover;
        state.dragging = false;
        result.store_position = true;
    } else if (event.kind == LoopEvent::Kind::menu) {
        result.branch = PassBranch::menu_action;
        result.menu_id = event.menu_id;
    }
    if (state.dragging) {
        result.move_meter = true;
        result.move_left = input.x - 50;
        result.move_top = input.y - 50;
    }
    return result;
}

bool pass_needed(const MainLoopState& state, const MeterPlace& meter, int x, int y) {
    return state.dragging || inside_meter_box(meter, x, y);
}

}  // namespace pendolux
