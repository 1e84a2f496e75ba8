#include "gui/qt/skin_picture.h"

#include "core/config/program_state.h"
#include "gui/qt/picture_loader.h"

namespace pendolux::gui {

std::shared_ptr<const QImage> load_current_skin_picture() {
    const std::string path = skin_path_text(config());
    if (path.empty()) return std::make_shared<const QImage>(builtin_skin_picture());
    auto picture = load_picture_file(path);
    if (!picture) return nullptr;
    return std::make_shared<const QImage>(std::move(*picture));
}

}  // namespace pendolux::gui
