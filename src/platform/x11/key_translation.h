#pragma once
// X keys and buttons as the Windows virtual-key codes the sampler counts.
// A pure function of the key's symbols, so it is tested without an X server.
#include <array>
#include <cstdint>

namespace pendolux::x11 {

// The codes one key or button reports down while it is held: its own code,
// and for a modifier also the generic code (AltGr reports four).
struct VirtualKeys {
    std::array<std::uint8_t, 4> codes{};
    int count = 0;

    void add(std::uint8_t code) {
        if (code != 0 && count < static_cast<int>(codes.size())) codes[count++] = code;
    }
    bool empty() const { return count == 0; }
    bool operator==(const VirtualKeys&) const = default;
};

// The key's symbols in the active group: level 1 (plain) and level 2 (shifted).
struct KeySymbols {
    unsigned long plain = 0;    // X KeySym, 0 = NoSymbol
    unsigned long shifted = 0;
};

struct KeyContext {
    bool num_lock = false;      // keypad keys give digits, as Windows does
    bool control_down = false;  // Ctrl+Pause is Break (VK_CANCEL)
};

// keycode is the X keycode (evdev + 8); it only decides keys whose symbols
// name no Windows key (other scripts), by their position on a US keyboard.
VirtualKeys translate_key(unsigned keycode, KeySymbols symbols, KeyContext context);

// Buttons 1, 3, 2, 8, 9 are left, right, middle, first and second extra;
// the wheel (4-7) and the rest report nothing.
VirtualKeys translate_button(unsigned button);

}  // namespace pendolux::x11
