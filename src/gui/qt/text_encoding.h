#pragma once
// The program's texts are single-byte Windows-1252; Qt shows Unicode.
#include <QString>
#include <string>
#include <string_view>

namespace pendolux::gui {
QString from_cp1252(std::string_view bytes);
// Characters without a Windows-1252 byte become '?'.
std::string to_cp1252(const QString& text);
}  // namespace pendolux::gui
