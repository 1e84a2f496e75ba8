#include "gui/qt/face_drawing.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstring>

#include "core/display/face_layout.h"
#include "gui/qt/text_encoding.h"

namespace pendolux::gui {
namespace {

int screen_dpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchY() + 0.5) : 96;
}

QFont make_font(int points, bool bold) {
    // Read once, on the GUI thread, which draws the first face at start-up.
    static const int dpi = screen_dpi();
    QFont font;
    // Liberation Sans is metric-compatible with Arial and stands in for it where Arial is missing.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(face_layout::font_pixel_height(points, dpi));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void draw_text_at(QPainter& painter, const QFontMetrics& metrics, face_layout::TextPlace place,
                  const std::string& text) {
    // The anchor is the top-left corner of the first character cell.
    painter.drawText(QPoint(place.x, place.y + metrics.ascent()), from_cp1252(text));
}

// A plain pixel copy at the picture's own size: no scaling, no blending; the
// part beyond the target is cut and the rest of the target stays as it was.
// Done by hand: the paint engine would hand even this small blit to its
// thread pool and wake two more threads per redraw.
void copy_picture(QImage& target, const QImage& picture) {
    const QImage source = picture.format() == QImage::Format_ARGB32 ? picture
                                                                     : picture.convertToFormat(QImage::Format_ARGB32);
    if (target.format() != QImage::Format_RGB32) target = target.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(source.width(), target.width());
    const int height = std::min(source.height(), target.height());
    for (int y = 0; y < height; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
        // The display keeps no alpha: a pixel shows its colour weighted by its alpha.
        for (int x = 0; x < width; ++x) to[x] = qPremultiply(from[x]) | 0xFF000000u;
    }
}

}  // namespace

const FaceFonts& face_fonts() {
    // One set per thread: a font keeps per-thread caches, and the sampler
    // draws the meter's face too.
    thread_local const FaceFonts fonts{make_font(face_layout::label_font_points, false),
                                       make_font(face_layout::value_font_points, true)};
    return fonts;
}

QImage make_face_image() {
    QImage image(face_layout::face_size, face_layout::face_size, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QColor to_qcolor(const ColorTriple& color) {
    // The unmasked colour value, read back byte by byte as the platform reads it.
    const auto value = static_cast<std::uint32_t>(color_value(color));
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

namespace {

void draw_captions(QImage& target, const ColorTriple& label_color) {
    QPainter painter(&target);
    const FaceFonts& fonts = face_fonts();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(fonts.label);
    painter.setPen(to_qcolor(label_color));
    const QFontMetrics label_metrics(fonts.label, &target);
    draw_text_at(painter, label_metrics, face_layout::distance_caption_place, face_layout::distance_caption);
    draw_text_at(painter, label_metrics, face_layout::clicks_caption_place, face_layout::clicks_caption);
    draw_text_at(painter, label_metrics, face_layout::keystrokes_caption_place, face_layout::keystrokes_caption);
}

// A picture that covers the whole face leaves nothing of the previous face,
// so picture plus captions come out the same every time: kept, and only the
// values are drawn anew. Under a stream of input that halves the text work.
struct CaptionedPicture {
    qint64 picture_key = 0;
    std::int32_t label_value = 0;
    QImage face;
};

bool covers(const QImage& picture, const QImage& target) {
    return !picture.isNull() && picture.width() >= target.width() && picture.height() >= target.height();
}

void draw_picture_and_captions(QImage& target, const QImage* picture, const ColorTriple& label_color) {
    if (picture == nullptr || !covers(*picture, target)) {
        if (picture != nullptr && !picture->isNull()) copy_picture(target, *picture);
        draw_captions(target, label_color);
        return;
    }
    thread_local CaptionedPicture kept;
    const std::int32_t label_value = color_value(label_color);
    if (kept.face.isNull() || kept.picture_key != picture->cacheKey() || kept.label_value != label_value ||
        kept.face.size() != target.size()) {
        kept.face = QImage(target.size(), QImage::Format_RGB32);
        copy_picture(kept.face, *picture);
        draw_captions(kept.face, label_color);
        kept.picture_key = picture->cacheKey();
        kept.label_value = label_value;
    }
    if (target.format() != kept.face.format()) target = target.convertToFormat(kept.face.format());
    for (int y = 0; y < target.height(); ++y)
        std::memcpy(target.scanLine(y), kept.face.constScanLine(y), static_cast<std::size_t>(target.bytesPerLine()));
}

}  // namespace

void draw_face(QImage& target, const QImage* picture, const ColorTriple& label_color, const ColorTriple& value_color,
               const std::string& distance_text, const std::string& clicks_text,
               const std::string& keystrokes_text) {
    draw_picture_and_captions(target, picture, label_color);
    QPainter painter(&target);
    const FaceFonts& fonts = face_fonts();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(fonts.value);
    painter.setPen(to_qcolor(value_color));
    const QFontMetrics value_metrics(fonts.value, &target);
    draw_text_at(painter, value_metrics, face_layout::distance_value_place, distance_text);
    draw_text_at(painter, value_metrics, face_layout::clicks_value_place, clicks_text);
    draw_text_at(painter, value_metrics, face_layout::keystrokes_value_place, keystrokes_text);
}

}  // namespace pendolux::gui
