#pragma once
// What the popup menu and start-up open. Each dialog is an independent
// top-level window on the GUI thread; none of these waits for it to close.
namespace pendolux::gui {

void open_settings_dialog();  // "Einstellungen"; also after the first-start message
void open_skin_chooser();     // "Skin laden"
void open_skin_creator();     // "Skin erstellen"
void confirm_reset();         // "Zurücksetzen": modal Yes/No, Yes resets
void open_info_box();         // "Info": at most one box at a time

}  // namespace pendolux::gui
