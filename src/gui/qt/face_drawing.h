#pragma once
// Drawing one meter face by the face layout: used by the meter and by the
// previews of both skin dialogs.
#include <QFont>
#include <QImage>
#include <string>

#include "core/config/config_record.h"

namespace pendolux::gui {

struct FaceFonts {
    QFont label;  // Arial 8 pt
    QFont value;  // Arial 11 pt bold
};
// The two fonts for the primary screen's logical DPI (made once per thread).
const FaceFonts& face_fonts();

// A 100 x 100 display-compatible face image, filled black.
QImage make_face_image();

// Paints the picture (plain pixel copy at its own size, none when null), the
// three captions in label_color and the three value texts (Windows-1252, drawn
// as passed) in value_color onto target. Nothing else of target is touched.
void draw_face(QImage& target, const QImage* picture, const ColorTriple& label_color,
               const ColorTriple& value_color, const std::string& distance_text, const std::string& clicks_text,
               const std::string& keystrokes_text);

// A colour triple as Qt shows it (components taken as their low 8 bits).
QColor to_qcolor(const ColorTriple& color);

}  // namespace pendolux::gui
