#pragma once
// What dialogs may do to the running meter (all on the GUI thread).
#include <QImage>
#include <memory>

namespace pendolux::gui {

// Topmost state from config().always_on_top.
void apply_meter_topmost();
// Replaces the meter's skin picture (null: no picture); the next redraw uses it.
void replace_skin_picture(std::shared_ptr<const QImage> picture);
// The face shows changed colours, totals or picture at the next redraw.
void request_face_redraw();

}  // namespace pendolux::gui
