// Any bytes through the picture loader: Windows bitmap, icon and PNG readers
// chosen by content. Never a crash, never a picture beyond the size limits.
#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstdlib>

#include "core/skins/picture.h"
#include "gui/qt/picture_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto image = pendolux::gui::load_picture_bytes(bytes);
    if (image) {
        if (image->isNull() || image->format() != QImage::Format_ARGB32 || image->width() > pendolux::max_picture_side ||
            image->height() > pendolux::max_picture_side)
            std::abort();
    }
    return 0;
}
