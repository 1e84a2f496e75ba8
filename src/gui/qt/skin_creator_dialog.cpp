#include "gui/qt/skin_creator_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "gui/qt/dialog_launchers.h"
#include "gui/qt/face_drawing.h"
#include "gui/qt/picture_loader.h"
#include "gui/qt/skin_dialog_window.h"

namespace pendolux::gui {

SkinCreatorDialog::SkinCreatorDialog() {
    set_up_skin_dialog_window(this, QStringLiteral("Skin erstellen"), 204, 128);

    auto* open_button = add_push_button(this, QStringLiteral("Grafik öffnen"), 1, 2, 100, 25);
    auto* text_color = add_push_button(this, QStringLiteral("Textfarbe"), 1, 27, 100, 25);
    auto* result_color = add_push_button(this, QStringLiteral("Ergebnisse"), 1, 52, 100, 25);
    auto* reset_button = add_push_button(this, QStringLiteral("Zurücksetzen"), 1, 77, 100, 25);
    auto* save_button = add_push_button(this, QStringLiteral("Speichern"), 1, 102, 100, 25);
    auto* cancel_button = add_push_button(this, QStringLiteral("Abbrechen"), 103, 102, 100, 25);
    preview_ = add_preview_control(this, 102, 2);
    preview_image_ = make_face_image();

    connect(open_button, &QPushButton::clicked, this, &SkinCreatorDialog::open_picture);
    connect(text_color, &QPushButton::clicked, this, [this] { pick_color(ColorTarget::text); });
    connect(result_color, &QPushButton::clicked, this, [this] { pick_color(ColorTarget::result); });
    connect(reset_button, &QPushButton::clicked, this, &SkinCreatorDialog::reset);
    connect(save_button, &QPushButton::clicked, this, &SkinCreatorDialog::save);
    connect(cancel_button, &QPushButton::clicked, this, &SkinCreatorDialog::cancel);
}

void SkinCreatorDialog::open_picture() {
    ask_for_file(this, FileDialogKind::open, QStringLiteral("Grafik laden"),
                 QStringLiteral("Hintergrundgrafik (*.png *.bmp)"), [this](const std::string& path) {
                     const auto outcome = creator_open_picture(state_, path, [this](const std::string& file) {
                         auto picture = load_picture_file(file);
                         picture_ = picture ? std::make_shared<const QImage>(std::move(*picture)) : nullptr;
                         return picture_ ? std::optional(PictureSize{picture_->width(), picture_->height()})
                                         : std::nullopt;
                     });
                     if (outcome == OpenPictureOutcome::refused) show_notice(this, wrong_picture_size_notice);
                     after_event();
                 });
}

void SkinCreatorDialog::pick_color(ColorTarget target) {
    const auto preset = creator_color_preset(state_, target);
    if (!preset) {
        show_notice(this, no_skin_notice);
        return;
    }
    ask_for_color(this, *preset, [this, target](std::uint32_t packed) {
        creator_color_picked(state_, target, packed);
        after_event();
    });
}

void SkinCreatorDialog::reset() {
    switch (creator_reset(state_)) {
    case CreatorResetOutcome::refused: show_notice(this, no_skin_notice); break;
    case CreatorResetOutcome::cleared: preview_->clear(); break;
    case CreatorResetOutcome::nothing: break;
    }
    after_event();
}

void SkinCreatorDialog::save() {
    ask_for_file(this, FileDialogKind::save, QStringLiteral("Speichern"), QStringLiteral("Pendolux Skin (*.pxk)"),
                 [this](const std::string& path) {
                     if (creator_save(state_, path) == SaveOutcome::failed) {
                         show_notice(this, save_failed_notice, [this] { close(); });
                         return;
                     }
                     close();
                 });
}

void SkinCreatorDialog::cancel() {
    creator_cancel(state_);
    close();
}

void SkinCreatorDialog::after_event() {
    if (!state_.has_picture) {
        picture_.reset();
        return;
    }
    if (picture_) show_preview(preview_, preview_image_, *picture_, state_.colors);
}

void open_skin_creator() { show_centred(new SkinCreatorDialog()); }

}  // namespace pendolux::gui
