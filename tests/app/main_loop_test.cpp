#include "core/app/main_loop.h"

#include <gtest/gtest.h>

namespace pendolux {
namespace {

LoopEvent tray(TrayMessage message) {
    LoopEvent event;
    event.kind = LoopEvent::Kind::tray;
    event.tray = message;
    return event;
}

LoopEvent menu(int id) {
    LoopEvent event;
    event.kind = LoopEvent::Kind::menu;
    event.menu_id = id;
    return event;
}

PassInput input(LoopEvent event, int x, int y, bool button, bool foreground = true) {
    PassInput in;
    in.event = event;
    in.x = x;
    in.y = y;
    in.meter = {200, 300};
    in.meter_foreground = foreground;
    in.left_button = [button] { return button; };
    return in;
}

TEST(MainLoop, MeterBoxIsStrictOnEverySide) {
    const MeterPlace meter{200, 300};
    EXPECT_FALSE(inside_meter_box(meter, 200, 350));  // the left column
    EXPECT_FALSE(inside_meter_box(meter, 250, 300));  // the top row
    EXPECT_TRUE(inside_meter_box(meter, 201, 301));
    EXPECT_TRUE(inside_meter_box(meter, 299, 399));
    EXPECT_FALSE(inside_meter_box(meter, 300, 350));
    EXPECT_FALSE(inside_meter_box(meter, 250, 400));
}

TEST(MainLoop, BranchesAreTakenInTheirOrder) {
    struct Case {
        const char* what;
        PassInput in;
        PassBranch branch;
    } const cases[] = {
        {"tray right button wins over a drag", input(tray(TrayMessage::right_button_down), 250, 350, true),
         PassBranch::show_menu},
        {"double-click toggles", input(tray(TrayMessage::left_double_click), 0, 0, false), PassBranch::toggle_meter},
        {"single click on the icon does nothing", input(tray(TrayMessage::other), 0, 0, false), PassBranch::none},
        {"press inside while foreground starts a drag", input({}, 250, 350, true), PassBranch::drag_start},
        {"press inside while another program is active", input({}, 250, 350, true, false), PassBranch::none},
        {"hover inside with the button up", input({}, 250, 350, false), PassBranch::release_or_hover},
        {"menu item over the meter box is dropped", input(menu(menu_info), 250, 350, false),
         PassBranch::release_or_hover},
        {"menu item elsewhere", input(menu(menu_info), 10, 10, false), PassBranch::menu_action},
        {"nothing at all", input({}, 10, 10, false), PassBranch::none},
    };
    for (const Case& c : cases) {
        MainLoopState state;
        EXPECT_EQ(main_loop_pass(state, c.in).branch, c.branch) << c.what;
    }
}

TEST(MainLoop, DoubleClicksHideAndShowInTurn) {
    MainLoopState state;
    EXPECT_FALSE(main_loop_pass(state, input(tray(TrayMessage::left_double_click), 0, 0, false)).show_meter);
    EXPECT_TRUE(state.meter_hidden);
    EXPECT_TRUE(main_loop_pass(state, input(tray(TrayMessage::left_double_click), 0, 0, false)).show_meter);
    EXPECT_FALSE(state.meter_hidden);
}

TEST(MainLoop, DragFollowsThePointerUntilAPassFindsItInsideWithTheButtonUp) {
    MainLoopState state;
    PassResult result = main_loop_pass(state, input({}, 250, 350, true));
    EXPECT_TRUE(state.dragging);
    EXPECT_TRUE(result.move_meter);
    EXPECT_EQ(result.move_left, 200);
    EXPECT_EQ(result.move_top, 300);

    // Released while the pointer ran ahead of the window: it keeps following.
    result = main_loop_pass(state, input({}, 600, 700, false));
    EXPECT_TRUE(state.dragging);
    EXPECT_EQ(result.move_left, 550);
    EXPECT_EQ(result.move_top, 650);

    // A menu event during the drag is acted on, and the window still follows.
    result = main_loop_pass(state, input(menu(menu_settings), 610, 710, false));
    EXPECT_EQ(result.branch, PassBranch::menu_action);
    EXPECT_TRUE(result.move_meter);

    result = main_loop_pass(state, input({}, 250, 350, false));
    EXPECT_EQ(result.branch, PassBranch::release_or_hover);
    EXPECT_TRUE(result.store_position);
    EXPECT_FALSE(state.dragging);
    EXPECT_FALSE(result.move_meter);
}

TEST(MainLoop, PassesAreNeededOnlyWhileDraggingOrOverTheMeter) {
    MainLoopState state;
    const MeterPlace meter{200, 300};
    EXPECT_FALSE(pass_needed(state, meter, 10, 10));
    EXPECT_TRUE(pass_needed(state, meter, 250, 350));
    state.dragging = true;
    EXPECT_TRUE(pass_needed(state, meter, 10, 10));
}

}  // namespace
}  // namespace pendolux
