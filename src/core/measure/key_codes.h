#pragma once
// Windows virtual-key codes as the sampler and the usage log see them, and the
// two code sets that decide what a press adds to.
#include <cstdint>

namespace pendolux {

constexpr int key_code_count = 257;  // codes 0-256, all polled

namespace vk {
constexpr std::uint8_t lbutton = 0x01;
constexpr std::uint8_t rbutton = 0x02;
constexpr std::uint8_t cancel = 0x03;
constexpr std::uint8_t mbutton = 0x04;
constexpr std::uint8_t xbutton1 = 0x05;
constexpr std::uint8_t xbutton2 = 0x06;
constexpr std::uint8_t back = 0x08;
constexpr std::uint8_t tab = 0x09;
constexpr std::uint8_t clear = 0x0C;
constexpr std::uint8_t return_key = 0x0D;
constexpr std::uint8_t shift = 0x10;
constexpr std::uint8_t control = 0x11;
constexpr std::uint8_t menu = 0x12;
constexpr std::uint8_t pause = 0x13;
constexpr std::uint8_t capital = 0x14;
constexpr std::uint8_t escape = 0x1B;
constexpr std::uint8_t space = 0x20;
constexpr std::uint8_t prior = 0x21;
constexpr std::uint8_t next = 0x22;
constexpr std::uint8_t end = 0x23;
constexpr std::uint8_t home = 0x24;
constexpr std::uint8_t left = 0x25;
constexpr std::uint8_t up = 0x26;
constexpr std::uint8_t right = 0x27;
constexpr std::uint8_t down = 0x28;
constexpr std::uint8_t select = 0x29;
constexpr std::uint8_t print = 0x2A;
constexpr std::uint8_t execute = 0x2B;
constexpr std::uint8_t snapshot = 0x2C;
constexpr std::uint8_t insert = 0x2D;
constexpr std::uint8_t delete_key = 0x2E;
constexpr std::uint8_t help = 0x2F;
constexpr std::uint8_t digit_0 = 0x30;  // '0'-'9'
constexpr std::uint8_t letter_a = 0x41;  // 'A'-'Z'
constexpr std::uint8_t lwin = 0x5B;
constexpr std::uint8_t rwin = 0x5C;
constexpr std::uint8_t apps = 0x5D;
constexpr std::uint8_t sleep = 0x5F;
constexpr std::uint8_t numpad0 = 0x60;  // numpad 0-9
constexpr std::uint8_t multiply = 0x6A;
constexpr std::uint8_t add = 0x6B;
constexpr std::uint8_t separator = 0x6C;
constexpr std::uint8_t subtract = 0x6D;
constexpr std::uint8_t decimal = 0x6E;
constexpr std::uint8_t divide = 0x6F;
constexpr std::uint8_t f1 = 0x70;  // F1-F24
constexpr std::uint8_t numlock = 0x90;
constexpr std::uint8_t scroll = 0x91;
constexpr std::uint8_t lshift = 0xA0;
constexpr std::uint8_t rshift = 0xA1;
constexpr std::uint8_t lcontrol = 0xA2;
constexpr std::uint8_t rcontrol = 0xA3;
constexpr std::uint8_t lmenu = 0xA4;
constexpr std::uint8_t rmenu = 0xA5;
constexpr std::uint8_t browser_back = 0xA6;
constexpr std::uint8_t browser_forward = 0xA7;
constexpr std::uint8_t browser_refresh = 0xA8;
constexpr std::uint8_t browser_stop = 0xA9;
constexpr std::uint8_t browser_search = 0xAA;
constexpr std::uint8_t browser_favorites = 0xAB;
constexpr std::uint8_t browser_home = 0xAC;
constexpr std::uint8_t volume_mute = 0xAD;
constexpr std::uint8_t volume_down = 0xAE;
constexpr std::uint8_t volume_up = 0xAF;
constexpr std::uint8_t media_next_track = 0xB0;
constexpr std::uint8_t media_prev_track = 0xB1;
constexpr std::uint8_t media_stop = 0xB2;
constexpr std::uint8_t media_play_pause = 0xB3;
constexpr std::uint8_t launch_mail = 0xB4;
constexpr std::uint8_t launch_media_select = 0xB5;
constexpr std::uint8_t launch_app1 = 0xB6;
constexpr std::uint8_t launch_app2 = 0xB7;
constexpr std::uint8_t oem_1 = 0xBA;
constexpr std::uint8_t oem_plus = 0xBB;
constexpr std::uint8_t oem_comma = 0xBC;
constexpr std::uint8_t oem_minus = 0xBD;
constexpr std::uint8_t oem_period = 0xBE;
constexpr std::uint8_t oem_2 = 0xBF;
constexpr std::uint8_t oem_3 = 0xC0;
constexpr std::uint8_t oem_4 = 0xDB;
constexpr std::uint8_t oem_5 = 0xDC;
constexpr std::uint8_t oem_6 = 0xDD;
constexpr std::uint8_t oem_7 = 0xDE;
constexpr std::uint8_t oem_8 = 0xDF;
constexpr std::uint8_t oem_102 = 0xE2;
}  // namespace vk

// Codes that count as mouse clicks: the left, right, middle and two extra buttons.
constexpr bool is_click_code(int code) {
    return code == vk::lbutton || code == vk::rbutton || code == vk::mbutton || code == vk::xbutton1 ||
           code == vk::xbutton2;
}

// Codes that never count as keystrokes. With the generic modifier codes reported
// alongside each side's own code, these leave exactly one keystroke per modifier
// press, except left Ctrl, which adds none.
constexpr bool is_uncounted_code(int code) {
    return code == vk::control || code == vk::lshift || code == vk::rshift || code == vk::lcontrol ||
           code == vk::lmenu || code == vk::rmenu;
}

}  // namespace pendolux
