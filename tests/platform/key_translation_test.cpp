#include "platform/x11/key_translation.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace pendolux::x11 {
namespace {

struct KeyCase {
    const char* name;
    unsigned keycode;
    unsigned long plain;
    unsigned long shifted;
    std::vector<int> codes;
    KeyContext context = {};
};

std::vector<int> codes_of(const VirtualKeys& keys) {
    return std::vector<int>(keys.codes.begin(), keys.codes.begin() + keys.count);
}

void expect_table(const std::vector<KeyCase>& table) {
    for (const KeyCase& key : table) {
        EXPECT_EQ(codes_of(translate_key(key.keycode, {key.plain, key.shifted}, key.context)), key.codes) << key.name;
    }
}

// Keycodes are those of the evdev keyboard map; the codes are what Windows
// reports for the same key on the same layout.
TEST(KeyTranslation, UsLayout) {
    expect_table({
        {"a", 38, XK_a, XK_A, {'A'}},
        {"z", 52, XK_z, XK_Z, {'Z'}},
        {"1", 10, XK_1, XK_exclam, {'1'}},
        {"0", 19, XK_0, XK_parenright, {'0'}},
        {"minus", 20, XK_minus, XK_underscore, {0xBD}},
        {"equal", 21, XK_equal, XK_plus, {0xBB}},
        {"bracketleft", 34, XK_bracketleft, XK_braceleft, {0xDB}},
        {"bracketright", 35, XK_bracketright, XK_braceright, {0xDD}},
        {"semicolon", 47, XK_semicolon, XK_colon, {0xBA}},
        {"apostrophe", 48, XK_apostrophe, XK_quotedbl, {0xDE}},
        {"grave", 49, XK_grave, XK_asciitilde, {0xC0}},
        {"backslash", 51, XK_backslash, XK_bar, {0xDC}},
        {"comma", 59, XK_comma, XK_less, {0xBC}},
        {"period", 60, XK_period, XK_greater, {0xBE}},
        {"slash", 61, XK_slash, XK_question, {0xBF}},
        {"iso_extra", 94, XK_less, XK_greater, {0xE2}},
        {"left_shift", 50, XK_Shift_L, XK_Shift_L, {0xA0, 0x10}},
        {"right_shift", 62, XK_Shift_R, XK_Shift_R, {0xA1, 0x10}},
        {"left_ctrl", 37, XK_Control_L, XK_Control_L, {0xA2, 0x11}},
        {"right_ctrl", 105, XK_Control_R, XK_Control_R, {0xA3, 0x11}},
        {"left_alt", 64, XK_Alt_L, XK_Meta_L, {0xA4, 0x12}},
        {"right_alt", 108, XK_Alt_R, XK_Meta_R, {0xA5, 0x12}},
        {"left_win", 133, XK_Super_L, 0, {0x5B}},
        {"menu", 135, XK_Menu, 0, {0x5D}},
        {"caps", 66, XK_Caps_Lock, 0, {0x14}},
        {"return", 36, XK_Return, 0, {0x0D}},
        {"backspace", 22, XK_BackSpace, 0, {0x08}},
        {"tab", 23, XK_Tab, XK_ISO_Left_Tab, {0x09}},
        {"escape", 9, XK_Escape, 0, {0x1B}},
        {"space", 65, XK_space, 0, {0x20}},
        {"f1", 67, XK_F1, 0, {0x70}},
        {"f12", 96, XK_F12, 0, {0x7B}},
        {"f24", 202, XK_F24, 0, {0x87}},
        {"home", 110, XK_Home, 0, {0x24}},
        {"page_down", 117, XK_Next, 0, {0x22}},
        {"left", 113, XK_Left, 0, {0x25}},
        {"insert", 118, XK_Insert, 0, {0x2D}},
        {"delete", 119, XK_Delete, 0, {0x2E}},
        {"print", 107, XK_Print, XK_Sys_Req, {0x2C}},
        {"pause", 127, XK_Pause, XK_Break, {0x13}},
        {"ctrl_pause_is_break", 127, XK_Pause, XK_Break, {0x03}, {false, true}},
        {"scroll_lock", 78, XK_Scroll_Lock, 0, {0x91}},
        {"num_lock", 77, XK_Num_Lock, 0, {0x90}},
    });
}

TEST(KeyTranslation, GermanLayout) {
    expect_table({
        {"z_where_us_has_y", 29, XK_z, XK_Z, {'Z'}},
        {"y_where_us_has_z", 52, XK_y, XK_Y, {'Y'}},
        {"circumflex", 49, XK_dead_circumflex, XK_degree, {0xDC}},
        {"circumflex_nodeadkeys", 49, XK_asciicircum, XK_degree, {0xDC}},
        {"sharp_s", 20, XK_ssharp, XK_question, {0xDB}},
        {"acute", 21, XK_dead_acute, XK_dead_grave, {0xDD}},
        {"u_umlaut", 34, XK_udiaeresis, XK_Udiaeresis, {0xBA}},
        {"plus", 35, XK_plus, XK_asterisk, {0xBB}},
        {"o_umlaut", 47, XK_odiaeresis, XK_Odiaeresis, {0xC0}},
        {"a_umlaut", 48, XK_adiaeresis, XK_Adiaeresis, {0xDE}},
        {"number_sign", 51, XK_numbersign, XK_apostrophe, {0xBF}},
        {"less", 94, XK_less, XK_greater, {0xE2}},
        {"comma", 59, XK_comma, XK_semicolon, {0xBC}},
        {"period", 60, XK_period, XK_colon, {0xBE}},
        {"minus", 61, XK_minus, XK_underscore, {0xBD}},
        {"digit_7", 16, XK_7, XK_slash, {'7'}},
        {"altgr", 108, XK_ISO_Level3_Shift, XK_Multi_key, {0xA2, 0x11, 0xA5, 0x12}},
        {"keypad_comma_numlock", 91, XK_KP_Delete, XK_KP_Separator, {0x6E}, {true, false}},
        {"keypad_comma", 91, XK_KP_Delete, XK_KP_Separator, {0x2E}},
    });
}

TEST(KeyTranslation, KeypadFollowsNumLock) {
    const KeyContext on{true, false};
    expect_table({
        {"kp7_numlock", 79, XK_KP_Home, XK_KP_7, {0x67}, on},
        {"kp7", 79, XK_KP_Home, XK_KP_7, {0x24}},
        {"kp5_numlock", 84, XK_KP_Begin, XK_KP_5, {0x65}, on},
        {"kp5", 84, XK_KP_Begin, XK_KP_5, {0x0C}},
        {"kp0_numlock", 90, XK_KP_Insert, XK_KP_0, {0x60}, on},
        {"kp0", 90, XK_KP_Insert, XK_KP_0, {0x2D}},
        {"kp_decimal_numlock", 91, XK_KP_Delete, XK_KP_Decimal, {0x6E}, on},
        {"kp_multiply", 63, XK_KP_Multiply, XK_KP_Multiply, {0x6A}},
        {"kp_divide", 106, XK_KP_Divide, XK_KP_Divide, {0x6F}},
        {"kp_subtract", 82, XK_KP_Subtract, XK_KP_Subtract, {0x6D}},
        {"kp_add", 86, XK_KP_Add, XK_KP_Add, {0x6B}, on},
        {"kp_enter", 104, XK_KP_Enter, XK_KP_Enter, {0x0D}},
    });
}

TEST(KeyTranslation, OtherLayoutsFallBackToTheKeysPlace) {
    expect_table({
        {"cyrillic_ef", 38, XK_Cyrillic_ef, XK_Cyrillic_EF, {'A'}},
        {"cyrillic_zhe", 47, XK_Cyrillic_zhe, XK_Cyrillic_ZHE, {0xBA}},
        {"nordic_aring", 34, XK_aring, XK_Aring, {0xDB}},
        {"french_ampersand_1", 10, XK_ampersand, XK_1, {'1'}},
        {"unknown_key", 200, 0x1234567, 0, {}},
        {"no_symbol", 255, 0, 0, {}},
    });
}

TEST(KeyTranslation, ButtonsAndTheWheel) {
    const std::vector<std::vector<int>> expected = {
        {}, {0x01}, {0x04}, {0x02}, {}, {}, {}, {}, {0x05}, {0x06}, {}, {}};
    for (unsigned button = 0; button < expected.size(); ++button)
        EXPECT_EQ(codes_of(translate_button(button)), expected[button]) << "button " << button;
}

}  // namespace
}  // namespace pendolux::x11
