#pragma once
// Loading pictures by their content, never by the file name: "BM" is a Windows
// bitmap, otherwise an icon file, then PNG; nothing else decodes.
#include <QImage>
#include <optional>
#include <string>

namespace pendolux::gui {

std::optional<QImage> load_picture_file(const std::string& path);
std::optional<QImage> load_picture_bytes(const QByteArray& bytes);
// The built-in skin picture, decoded from the program's data.
QImage builtin_skin_picture();

}  // namespace pendolux::gui
