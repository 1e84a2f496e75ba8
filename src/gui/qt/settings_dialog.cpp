// Placeholder until the settings dialog lands.
#include "gui/qt/dialog_launchers.h"
namespace pendolux::gui {
void open_settings_dialog() {}
}  // namespace pendolux::gui
