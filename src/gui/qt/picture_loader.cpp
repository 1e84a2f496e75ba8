#include "gui/qt/picture_loader.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <span>
#include <system_error>

#include "assets/embedded_assets.h"
#include "core/skins/picture.h"
#include "core/skins/picture_kind.h"
#include "core/skins/png_decode.h"

namespace pendolux::gui {
namespace {

// Largest file worth reading: an uncompressed picture of the largest accepted
// size plus room for headers and palettes. Anything after is never looked at.
constexpr std::size_t max_picture_file_bytes =
    std::size_t{max_picture_side} * max_picture_side * 4 + 1024 * 1024;

bool acceptable_size(const QSize& size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= max_picture_side &&
           size.height() <= max_picture_side;
}

QImage to_qimage(const Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    if (image.isNull()) return image;
    const auto width = static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint32_t* source = picture.pixels.data() + static_cast<std::size_t>(y) * width;
        std::copy(source, source + width, line);
    }
    return image;
}

// Qt's reader for exactly the named format: no guessing from content or name.
// The announced size is checked before any pixel memory is allocated.
std::optional<QImage> read_with_qt(const QByteArray& bytes, const char* format) {
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead()) return std::nullopt;
    // Bitmap headers give a negative height for top-down rows.
    if (reader.supportsOption(QImageIOHandler::Size)) {
        const QSize announced = reader.size();
        const int height = announced.height() >= -max_picture_side ? std::abs(announced.height()) : 0;
        if (!acceptable_size({announced.width(), height})) return std::nullopt;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull() || !acceptable_size(image.size())) return std::nullopt;
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) return std::nullopt;
    return argb;
}

std::optional<QImage> read_png(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto picture = decode_png({data, static_cast<std::size_t>(bytes.size())});
    if (!picture) return std::nullopt;
    QImage image = to_qimage(*picture);
    if (image.isNull()) return std::nullopt;
    return image;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<QImage> load_picture_bytes(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    for (const PictureDecoder decoder : picture_decoders_for({data, static_cast<std::size_t>(bytes.size())})) {
        std::optional<QImage> image;
        switch (decoder) {
        case PictureDecoder::windows_bitmap: image = read_with_qt(bytes, "bmp"); break;
        case PictureDecoder::icon: image = read_with_qt(bytes, "ico"); break;
        case PictureDecoder::png: image = read_png(bytes); break;
        }
        if (image) return image;
    }
    return std::nullopt;
}

std::optional<QImage> load_picture_file(const std::string& path) {
    // Only plain files: a FIFO or device would block or never end.
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    const auto size = std::filesystem::file_size(path, error);
    const std::size_t wanted = error ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(size, max_picture_file_bytes));
    QByteArray bytes(static_cast<qsizetype>(wanted), Qt::Uninitialized);
    const std::size_t got = std::fread(bytes.data(), 1, wanted, file.get());
    bytes.truncate(static_cast<qsizetype>(got));
    return load_picture_bytes(bytes);
}

QImage builtin_skin_picture() {
    const auto picture = decode_png(assets::builtin_skin());
    return picture ? to_qimage(*picture) : QImage();
}

}  // namespace pendolux::gui
