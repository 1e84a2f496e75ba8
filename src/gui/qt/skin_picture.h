#pragma once
#include <QImage>
#include <memory>

namespace pendolux::gui {
// The current skin's picture at start-up: the built-in picture when skin_path
// is empty, otherwise the file it names, decoded by content (null when that fails).
std::shared_ptr<const QImage> load_current_skin_picture();
}  // namespace pendolux::gui
