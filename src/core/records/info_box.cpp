#include "core/records/info_box.h"

#include <atomic>

namespace pendolux {
namespace {

std::atomic<bool> info_box_shown{false};

// Windows-1252: 0xE4 is a-umlaut, 0xFC u-umlaut, 0xA9 the copyright sign.
constexpr std::string_view reset_line = "Zur\xFC" "ckgesetzt am ";
constexpr std::string_view credits =
    "Misst, wie weit der Mauszeiger reist, und z\xE4hlt Mausklicks und Tastenanschl\xE4ge.\n"
    "\xA9 Die Pendolux-Entwickler. PNG-Bilder werden mit libpng und zlib gelesen.";

}  // namespace

std::string info_text(std::string_view stamp) {
    std::string text = "Pendolux\n";
    text += reset_line;
    text += stamp;
    text += "\n\n";
    text += credits;
    return text;
}

bool info_open() { return info_box_shown.load(); }
void set_info_open(bool open) { info_box_shown.store(open); }

}  // namespace pendolux
