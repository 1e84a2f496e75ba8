// Placeholder until the skin creator lands.
#include "gui/qt/dialog_launchers.h"
namespace pendolux::gui {
void open_skin_creator() {}
}  // namespace pendolux::gui
