// Placeholder until the skin chooser lands.
#include "gui/qt/dialog_launchers.h"
namespace pendolux::gui {
void open_skin_chooser() {}
}  // namespace pendolux::gui
