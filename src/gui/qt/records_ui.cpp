// The reset question and the Info box of the popup menu.
#include "gui/qt/records_ui.h"

#include <QMessageBox>
#include <QPointer>

#include "core/config/program_state.h"
#include "core/records/info_box.h"
#include "core/records/records.h"
#include "gui/qt/dialog_launchers.h"
#include "gui/qt/meter_access.h"
#include "gui/qt/text_encoding.h"

namespace pendolux::gui {
namespace {

// While the question waits in its nested event loop the tray menu still works;
// a second "Zurücksetzen" brings the open question forward instead of nesting another.
QPointer<QMessageBox> open_reset_question;

}  // namespace

void confirm_reset() {
    if (open_reset_question) {
        open_reset_question->raise();
        open_reset_question->activateWindow();
        return;
    }
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Zurücksetzen"),
                                QStringLiteral("Sind Sie sicher dass Sie die Strecke, Mausklicks und "
                                               "Tastenanschläge zurücksetzen wollen?"),
                                QMessageBox::Yes | QMessageBox::No);
    box->setObjectName(reset_question_object_name);
    box->setDefaultButton(QMessageBox::Yes);
    // The caller waits for the answer while timers and the other windows go
    // on; window modality without a parent blocks no other window.
    box->setWindowModality(Qt::WindowModal);
    open_reset_question = box;
    const int answer = box->exec();
    if (open_reset_question) delete open_reset_question.data();
    if (answer != QMessageBox::Yes) return;
    reset_totals();
    request_face_redraw();
}

void open_info_box() {
    if (info_open()) return;
    set_info_open(true);
    // The stamp is read once; a reset while the box is open shows in the next one.
    const std::string text = info_text(reset_stamp_text(config()));
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Info"), from_cp1252(text), QMessageBox::Ok);
    box->setObjectName(info_box_object_name);
    // Stamp bytes come from config.dat and are shown as they are, never as markup.
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QDialog::finished, [] { set_info_open(false); });
    QObject::connect(box, &QObject::destroyed, [] { set_info_open(false); });
    box->show();
}

}  // namespace pendolux::gui
