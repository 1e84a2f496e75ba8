#pragma once
// What dialogs may do to the running meter (on the GUI thread unless said otherwise).
#include <QImage>
#include <memory>

namespace pendolux::gui {

// Topmost state from config().always_on_top.
void apply_meter_topmost();
// Replaces the meter's skin picture (null: no picture); the next redraw uses it.
void replace_skin_picture(std::shared_ptr<const QImage> picture);
// The face shows changed colours, totals or picture at the next redraw.
void request_face_redraw();
// For the sampler thread: the totals changed.
void report_totals_changed();

}  // namespace pendolux::gui
