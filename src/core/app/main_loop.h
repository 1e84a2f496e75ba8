#pragma once
// The rules of one main-loop pass: which branch an event and the pointer take,
// and what happens to the meter window. The front end supplies the readings
// and carries out the result.
#include <functional>

namespace pendolux {

enum class TrayMessage { right_button_down, left_double_click, other };

// Popup menu item ids, as the menu reports them.
enum MenuId : int {
    menu_reset = 1,
    menu_settings = 2,
    menu_info = 3,
    menu_quit = 4,
    menu_skin_chooser = 5,
    menu_skin_creator = 6,
};

struct LoopEvent {
    enum class Kind { none, tray, menu } kind = Kind::none;
    TrayMessage tray = TrayMessage::other;
    int menu_id = 0;
};

struct MeterPlace {
    int left = 0;
    int top = 0;
};

struct PassInput {
    LoopEvent event;
    int x = 0;  // pointer, read right after the event was taken
    int y = 0;
    bool meter_foreground = false;
    MeterPlace meter;                   // the meter window's current top-left corner
    std::function<bool()> left_button;  // GetAsyncKeyState(VK_LBUTTON) != 0, read at each test
};

enum class PassBranch { none, show_menu, toggle_meter, drag_start, release_or_hover, menu_action };

struct MainLoopState {
    bool meter_hidden = false;
    bool dragging = false;
};

struct PassResult {
    PassBranch branch = PassBranch::none;
    bool show_meter = false;  // with toggle_meter: show (true) or hide (false)
    int menu_id = 0;          // with menu_action
    bool store_position = false;  // window_x/window_y := meter place, then save
    bool move_meter = false;      // move the meter to (move_left, move_top)
    int move_left = 0;
    int move_top = 0;
};

// Strict on every side: the window's own left column and top row are outside.
bool inside_meter_box(const MeterPlace& meter, int x, int y);

PassResult main_loop_pass(MainLoopState& state, const PassInput& input);

// Whether a pass can still do anything without a new event: while dragging or
// while the pointer rests in the meter box. Lets the front end stop its pass
// timer when nothing can happen.
bool pass_needed(const MainLoopState& state, const MeterPlace& meter, int x, int y);

}  // namespace pendolux
