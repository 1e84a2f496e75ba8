#include "platform/x11/key_translation.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/measure/key_codes.h"

namespace pendolux::x11 {
namespace {

VirtualKeys one(std::uint8_t code) {
    VirtualKeys keys;
    keys.add(code);
    return keys;
}

VirtualKeys pair(std::uint8_t sided, std::uint8_t generic) {
    VirtualKeys keys;
    keys.add(sided);
    keys.add(generic);
    return keys;
}

VirtualKeys modifier_keys(unsigned long sym) {
    switch (sym) {
    case XK_Shift_L: return pair(vk::lshift, vk::shift);
    case XK_Shift_R: return pair(vk::rshift, vk::shift);
    case XK_Control_L: return pair(vk::lcontrol, vk::control);
    case XK_Control_R: return pair(vk::rcontrol, vk::control);
    case XK_Alt_L:
    case XK_Meta_L: return pair(vk::lmenu, vk::menu);
    case XK_Alt_R:
    case XK_Meta_R: return pair(vk::rmenu, vk::menu);
    case XK_ISO_Level3_Shift:
    case XK_Mode_switch: {
        // AltGr: Windows reports it as left Ctrl together with right Alt.
        VirtualKeys keys = pair(vk::lcontrol, vk::control);
        keys.add(vk::rmenu);
        keys.add(vk::menu);
        return keys;
    }
    default: return {};
    }
}

std::uint8_t keypad_code(unsigned long plain, unsigned long shifted, bool num_lock) {
    if (num_lock) {
        if (shifted >= XK_KP_0 && shifted <= XK_KP_9) return static_cast<std::uint8_t>(vk::numpad0 + (shifted - XK_KP_0));
        if (plain == XK_KP_Delete && (shifted == XK_KP_Decimal || shifted == XK_KP_Separator)) return vk::decimal;
    }
    switch (plain) {
    case XK_KP_Home: return vk::home;
    case XK_KP_Up: return vk::up;
    case XK_KP_Prior: return vk::prior;
    case XK_KP_Left: return vk::left;
    case XK_KP_Begin: return vk::clear;
    case XK_KP_Right: return vk::right;
    case XK_KP_End: return vk::end;
    case XK_KP_Down: return vk::down;
    case XK_KP_Next: return vk::next;
    case XK_KP_Insert: return vk::insert;
    case XK_KP_Delete: return vk::delete_key;
    case XK_KP_Multiply: return vk::multiply;
    case XK_KP_Add: return vk::add;
    case XK_KP_Subtract: return vk::subtract;
    case XK_KP_Divide: return vk::divide;
    case XK_KP_Decimal: return vk::decimal;
    case XK_KP_Separator: return vk::separator;
    case XK_KP_Enter: return vk::return_key;
    default: break;
    }
    if (plain >= XK_KP_0 && plain <= XK_KP_9) return static_cast<std::uint8_t>(vk::numpad0 + (plain - XK_KP_0));
    return 0;
}

// Keys named by their plain symbol, across the US and German layouts.
std::uint8_t symbol_code(unsigned long sym) {
    if (sym >= XK_a && sym <= XK_z) return static_cast<std::uint8_t>(vk::letter_a + (sym - XK_a));
    if (sym >= XK_A && sym <= XK_Z) return static_cast<std::uint8_t>(vk::letter_a + (sym - XK_A));
    if (sym >= XK_0 && sym <= XK_9) return static_cast<std::uint8_t>(vk::digit_0 + (sym - XK_0));
    if (sym >= XK_F1 && sym <= XK_F24) return static_cast<std::uint8_t>(vk::f1 + (sym - XK_F1));
    switch (sym) {
    case XK_BackSpace: return vk::back;
    case XK_Tab:
    case XK_ISO_Left_Tab: return vk::tab;
    case XK_Clear: return vk::clear;
    case XK_Return: return vk::return_key;
    case XK_Pause: return vk::pause;
    case XK_Break:
    case XK_Cancel: return vk::cancel;
    case XK_Caps_Lock: return vk::capital;
    case XK_Escape: return vk::escape;
    case XK_space: return vk::space;
    case XK_Prior: return vk::prior;
    case XK_Next: return vk::next;
    case XK_End: return vk::end;
    case XK_Home: return vk::home;
    case XK_Left: return vk::left;
    case XK_Up: return vk::up;
    case XK_Right: return vk::right;
    case XK_Down: return vk::down;
    case XK_Select: return vk::select;
    case XK_Execute: return vk::execute;
    case XK_Print:
    case XK_Sys_Req: return vk::snapshot;
    case XK_Insert: return vk::insert;
    case XK_Delete: return vk::delete_key;
    case XK_Help: return vk::help;
    case XK_Super_L:
    case XK_Hyper_L: return vk::lwin;
    case XK_Super_R:
    case XK_Hyper_R: return vk::rwin;
    case XK_Menu: return vk::apps;
    case XK_Num_Lock: return vk::numlock;
    case XK_Scroll_Lock: return vk::scroll;
    // US layout punctuation.
    case XK_semicolon: return vk::oem_1;
    case XK_equal: return vk::oem_plus;
    case XK_comma: return vk::oem_comma;
    case XK_minus: return vk::oem_minus;
    case XK_period: return vk::oem_period;
    case XK_slash: return vk::oem_2;
    case XK_grave:
    case XK_dead_grave: return vk::oem_3;
    case XK_bracketleft: return vk::oem_4;
    case XK_backslash: return vk::oem_5;
    case XK_bracketright: return vk::oem_6;
    case XK_apostrophe: return vk::oem_7;
    case XK_less: return vk::oem_102;
    // German layout: the same keys report different codes there.
    case XK_udiaeresis:
    case XK_Udiaeresis: return vk::oem_1;
    case XK_plus: return vk::oem_plus;
    case XK_numbersign: return vk::oem_2;
    case XK_odiaeresis:
    case XK_Odiaeresis: return vk::oem_3;
    case XK_ssharp: return vk::oem_4;
    case XK_dead_circumflex:
    case XK_asciicircum: return vk::oem_5;
    case XK_dead_acute:
    case XK_acute: return vk::oem_6;
    case XK_adiaeresis:
    case XK_Adiaeresis: return vk::oem_7;
    // Browser, volume, media and launch keys.
    case XF86XK_Back: return vk::browser_back;
    case XF86XK_Forward: return vk::browser_forward;
    case XF86XK_Refresh:
    case XF86XK_Reload: return vk::browser_refresh;
    case XF86XK_Stop: return vk::browser_stop;
    case XF86XK_Search: return vk::browser_search;
    case XF86XK_Favorites: return vk::browser_favorites;
    case XF86XK_HomePage: return vk::browser_home;
    case XF86XK_AudioMute: return vk::volume_mute;
    case XF86XK_AudioLowerVolume: return vk::volume_down;
    case XF86XK_AudioRaiseVolume: return vk::volume_up;
    case XF86XK_AudioNext: return vk::media_next_track;
    case XF86XK_AudioPrev: return vk::media_prev_track;
    case XF86XK_AudioStop: return vk::media_stop;
    case XF86XK_AudioPlay:
    case XF86XK_AudioPause: return vk::media_play_pause;
    case XF86XK_Mail: return vk::launch_mail;
    case XF86XK_AudioMedia: return vk::launch_media_select;
    case XF86XK_MyComputer: return vk::launch_app1;
    case XF86XK_Calculator: return vk::launch_app2;
    case XF86XK_Sleep: return vk::sleep;
    default: return 0;
    }
}

// The keys of the main block by their place on a US keyboard, for layouts
// whose symbols name no Windows key (Cyrillic, Greek, Nordic letters, ...).
std::uint8_t us_position_code(unsigned keycode) {
    static constexpr struct {
        unsigned first;
        const char* codes;  // one code per keycode from first on
    } rows[] = {
        {10, "1234567890\xBD\xBB"},     // digits row, minus, equal
        {24, "QWERTYUIOP\xDB\xDD"},     // top row, brackets
        {38, "ASDFGHJKL\xBA\xDE\xC0"},  // home row, semicolon, apostrophe, grave
        {51, "\xDCZXCVBNM\xBC\xBE\xBF"},  // backslash, bottom row, comma, period, slash
        {94, "\xE2"},                   // the extra key of ISO keyboards
    };
    for (const auto& row : rows) {
        const std::size_t length = std::strlen(row.codes);
        if (keycode >= row.first && keycode - row.first < length)
            return static_cast<std::uint8_t>(row.codes[keycode - row.first]);
    }
    return 0;
}

}  // namespace

VirtualKeys translate_key(unsigned keycode, KeySymbols symbols, KeyContext context) {
    VirtualKeys keys = modifier_keys(symbols.plain);
    if (!keys.empty()) return keys;
    if (symbols.plain == XK_Pause && context.control_down) return one(vk::cancel);
    if (std::uint8_t code = keypad_code(symbols.plain, symbols.shifted, context.num_lock)) return one(code);
    if (std::uint8_t code = symbol_code(symbols.plain)) return one(code);
    // A digit on the shifted level (French, Belgian): Windows names the key by it.
    if (symbols.shifted >= XK_0 && symbols.shifted <= XK_9)
        return one(static_cast<std::uint8_t>(vk::digit_0 + (symbols.shifted - XK_0)));
    return one(us_position_code(keycode));
}

VirtualKeys translate_button(unsigned button) {
    switch (button) {
    case 1: return one(vk::lbutton);
    case 3: return one(vk::rbutton);
    case 2: return one(vk::mbutton);
    case 8: return one(vk::xbutton1);
    case 9: return one(vk::xbutton2);
    default: return {};
    }
}

}  // namespace pendolux::x11
