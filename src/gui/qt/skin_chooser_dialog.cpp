#include "gui/qt/skin_chooser_dialog.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "core/config/program_state.h"
#include "gui/qt/dialog_launchers.h"
#include "gui/qt/face_drawing.h"
#include "gui/qt/meter_access.h"
#include "gui/qt/picture_loader.h"
#include "gui/qt/skin_dialog_window.h"

namespace pendolux::gui {
namespace {

constexpr int entry_bytes_role = Qt::UserRole;

std::shared_ptr<const QImage> decode(const PictureSource& source) {
    auto picture = source.builtin ? std::optional(builtin_skin_picture()) : load_picture_file(source.path);
    if (!picture || picture->isNull()) return nullptr;
    return std::make_shared<const QImage>(std::move(*picture));
}

}  // namespace

SkinChooserDialog::SkinChooserDialog() {
    set_up_skin_dialog_window(this, QStringLiteral("Skin laden"), 303, 128);

    list_ = new QListWidget(this);
    list_->setGeometry(0, 2, 100, 124);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSortingEnabled(false);
    list_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* text_color = add_push_button(this, QStringLiteral("Textfarbe"), 101, 2, 100, 25);
    auto* result_color = add_push_button(this, QStringLiteral("Ergebnisse"), 101, 27, 100, 25);
    auto* reset = add_push_button(this, QStringLiteral("Zurücksetzen"), 101, 77, 100, 25);
    auto* apply_button = add_push_button(this, QStringLiteral("Anwenden"), 101, 102, 100, 25);
    auto* cancel_button = add_push_button(this, QStringLiteral("Abbrechen"), 203, 102, 100, 25);
    preview_ = add_preview_control(this, 202, 2);
    preview_image_ = make_face_image();

    for (const std::string& entry : skin_chooser_entries()) {
        const QByteArray bytes = QByteArray::fromStdString(entry);
        auto* item = new QListWidgetItem(QFile::decodeName(bytes), list_);
        item->setData(entry_bytes_role, bytes);  // the name as the file system spells it
    }

    // Selection, not the current row: focusing the list makes its first entry
    // current without anyone choosing it.
    connect(list_, &QListWidget::itemSelectionChanged, this, &SkinChooserDialog::selection_changed);
    connect(text_color, &QPushButton::clicked, this, [this] { pick_color(ColorTarget::text); });
    connect(result_color, &QPushButton::clicked, this, [this] { pick_color(ColorTarget::result); });
    connect(reset, &QPushButton::clicked, this, &SkinChooserDialog::reset_colors);
    connect(apply_button, &QPushButton::clicked, this, &SkinChooserDialog::apply);
    connect(cancel_button, &QPushButton::clicked, this, &SkinChooserDialog::cancel);
}

void SkinChooserDialog::selection_changed() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return;
    const QListWidgetItem* item = selected.first();
    const QByteArray entry = item->data(entry_bytes_role).toByteArray();
    chooser_select(state_, std::string_view(entry.constData(), static_cast<std::size_t>(entry.size())),
                   [this](const PictureSource& source) {
                       picture_ = decode(source);
                       return picture_ != nullptr;
                   });
    after_event();
}

void SkinChooserDialog::pick_color(ColorTarget target) {
    const auto preset = chooser_color_preset(state_, target);
    if (!preset) {
        show_notice(this, no_skin_notice);
        return;
    }
    ask_for_color(this, *preset, [this, target](std::uint32_t packed) {
        chooser_color_picked(state_, target, packed);
        after_event();
    });
}

void SkinChooserDialog::reset_colors() {
    if (!chooser_reset(state_)) show_notice(this, no_skin_notice);
    after_event();
}

void SkinChooserDialog::apply() {
    if (const auto source = chooser_apply(state_, config())) {
        picture_.reset();
        // Made whole before the swap, so a redraw sees either the old picture or the new one.
        replace_skin_picture(decode(*source));
        request_face_redraw();
    }
    close();
}

void SkinChooserDialog::cancel() {
    chooser_cancel(state_);
    close();
}

void SkinChooserDialog::closeEvent(QCloseEvent* event) {
    chooser_closed();
    event->accept();
}

void SkinChooserDialog::after_event() {
    if (!state_.has_picture) {
        // The preview keeps its last drawing.
        picture_.reset();
        return;
    }
    if (picture_) show_preview(preview_, preview_image_, *picture_, state_.colors);
}

void open_skin_chooser() { show_centred(new SkinChooserDialog()); }

}  // namespace pendolux::gui
