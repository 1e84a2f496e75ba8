#pragma once
// Window pieces both skin dialogs share: the fixed, centred, topmost window,
// its push buttons, the preview, and the window-modal boxes and dialogs that
// block only their own dialog.
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "core/skins/skin_dialog_common.h"

class QLabel;
class QPushButton;
class QWidget;

namespace pendolux::gui {

// A fixed-size top-level window with title, close and minimise boxes, kept on
// top; centred on the primary screen when it is shown.
void set_up_skin_dialog_window(QWidget* window, const QString& title, int inner_width, int inner_height);
void show_centred(QWidget* window);

QPushButton* add_push_button(QWidget* window, const QString& caption, int x, int y, int width, int height);
// A picture control showing one image at its natural size, empty at first.
QLabel* add_preview_control(QWidget* window, int x, int y);

// Draws the face of the skin being edited with the sample values into
// preview_image and hands it to the preview control.
void show_preview(QLabel* preview, QImage& preview_image, const QImage& picture, const WorkingColors& colors);

// An OK box window-modal to window; after() runs once it is closed.
void show_notice(QWidget* window, const Notice& notice, std::function<void()> after = {});

// The colour dialog, window-modal to window, starting at the packed colour;
// picked() gets the packed colour when the user confirms.
void ask_for_color(QWidget* window, std::uint32_t preset, std::function<void(std::uint32_t)> picked);

enum class FileDialogKind { open, save };
// An open or save dialog, window-modal to window: no overwrite question, no
// extension of its own. chosen() gets the full path in the platform's bytes,
// or the empty text when cancelled.
void ask_for_file(QWidget* window, FileDialogKind kind, const QString& title, const QString& filter,
                  std::function<void(const std::string&)> chosen);

}  // namespace pendolux::gui
