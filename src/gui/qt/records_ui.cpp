// Placeholder until the reset question and the Info box land.
#include "gui/qt/dialog_launchers.h"
namespace pendolux::gui {
void confirm_reset() {}
void open_info_box() {}
}  // namespace pendolux::gui
