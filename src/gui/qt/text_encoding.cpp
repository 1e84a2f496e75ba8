#include "gui/qt/text_encoding.h"

#include <array>

namespace pendolux::gui {
namespace {
// 0x80-0x9F of Windows-1252; 0 marks the five unassigned bytes (shown as themselves).
constexpr std::array<char16_t, 32> high_controls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

QString from_cp1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t mapped = byte >= 0x80 && byte < 0xA0 ? high_controls[byte - 0x80] : 0;
        text.append(QChar(mapped != 0 ? mapped : static_cast<char16_t>(byte)));
    }
    return text;
}

std::string to_cp1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes.push_back(static_cast<char>(code));
            continue;
        }
        char out = '?';
        for (std::size_t i = 0; i < high_controls.size(); ++i) {
            if (high_controls[i] == code && code != 0) out = static_cast<char>(0x80 + i);
        }
        bytes.push_back(out);
    }
    return bytes;
}

}  // namespace pendolux::gui
