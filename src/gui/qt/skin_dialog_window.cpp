#include "gui/qt/skin_dialog_window.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "core/display/value_text.h"
#include "gui/qt/face_drawing.h"
#include "gui/qt/text_encoding.h"

namespace pendolux::gui {
namespace {

void centre_on_primary_screen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

}  // namespace

void set_up_skin_dialog_window(QWidget* window, const QString& title, int inner_width, int inner_height) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    window->setWindowTitle(title);
    window->setFixedSize(inner_width, inner_height);
    window->setAttribute(Qt::WA_DeleteOnClose);
}

void show_centred(QWidget* window) {
    centre_on_primary_screen(window);
    window->show();
    // The frame is known only once the window manager has framed the window.
    QTimer::singleShot(100, window, [window] { centre_on_primary_screen(window); });
}

QPushButton* add_push_button(QWidget* window, const QString& caption, int x, int y, int width, int height) {
    auto* button = new QPushButton(caption, window);
    button->setGeometry(x, y, width, height);
    button->setAutoDefault(false);
    return button;
}

QLabel* add_preview_control(QWidget* window, int x, int y) {
    auto* preview = new QLabel(window);
    preview->setGeometry(x, y, skin_picture_side, skin_picture_side);
    preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    preview->setScaledContents(false);
    return preview;
}

void show_preview(QLabel* preview, QImage& preview_image, const QImage& picture, const WorkingColors& colors) {
    draw_face(preview_image, &picture, colors.text, colors.result, sample_distance_text, sample_clicks_text,
              sample_keystrokes_text);
    preview->setPixmap(QPixmap::fromImage(preview_image));
}

void show_notice(QWidget* window, const Notice& notice, std::function<void()> after) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, from_cp1252(notice.title), from_cp1252(notice.text),
                                QMessageBox::Ok, window);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (after) QObject::connect(box, &QMessageBox::finished, window, [after = std::move(after)] { after(); });
    box->open();
}

void ask_for_color(QWidget* window, std::uint32_t preset, std::function<void(std::uint32_t)> picked) {
    const QColor start(static_cast<int>(preset & 0xFF), static_cast<int>((preset >> 8) & 0xFF),
                       static_cast<int>((preset >> 16) & 0xFF));
    auto* dialog = new QColorDialog(start, window);
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QColorDialog::colorSelected, window, [picked = std::move(picked)](const QColor& color) {
        const auto rgb = color.toRgb();
        picked(static_cast<std::uint32_t>(rgb.red()) | static_cast<std::uint32_t>(rgb.green()) << 8 |
               static_cast<std::uint32_t>(rgb.blue()) << 16);
    });
    dialog->open();
}

void ask_for_file(QWidget* window, FileDialogKind kind, const QString& title, const QString& filter,
                  std::function<void(const std::string&)> chosen) {
    auto* dialog = new QFileDialog(window, title, QString(), filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (kind == FileDialogKind::save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::finished, window, [dialog, chosen = std::move(chosen)](int result) {
        const QStringList files = dialog->selectedFiles();
        const bool accepted = result == QDialog::Accepted && !files.isEmpty();
        chosen(accepted ? QFile::encodeName(files.first()).toStdString() : std::string());
    });
    dialog->open();
}

}  // namespace pendolux::gui
