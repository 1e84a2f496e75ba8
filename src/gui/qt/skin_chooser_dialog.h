#pragma once
// "Skin laden": lists the built-in skin and the skin files, previews the
// selected one, lets its colours be changed and applies it to the meter.
#include <QImage>
#include <QWidget>
#include <memory>

#include "core/skins/skin_chooser.h"

class QLabel;
class QListWidget;

namespace pendolux::gui {

class SkinChooserDialog : public QWidget {
    Q_OBJECT
public:
    SkinChooserDialog();

    const SkinChooserState& state() const { return state_; }
    const QImage& preview_image() const { return preview_image_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void selection_changed();
    void pick_color(ColorTarget target);
    void reset_colors();
    void apply();
    void cancel();
    void after_event();

    SkinChooserState state_;
    std::shared_ptr<const QImage> picture_;
    QImage preview_image_;
    QListWidget* list_ = nullptr;
    QLabel* preview_ = nullptr;
};

}  // namespace pendolux::gui
