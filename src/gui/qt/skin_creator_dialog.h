#pragma once
// "Skin erstellen": makes a skin file from a 100 x 100 picture file and two
// colours, with a preview of the face.
#include <QImage>
#include <QWidget>
#include <memory>

#include "core/skins/skin_creator.h"

class QLabel;

namespace pendolux::gui {

class SkinCreatorDialog : public QWidget {
    Q_OBJECT
public:
    SkinCreatorDialog();

    const SkinCreatorState& state() const { return state_; }
    const QImage& preview_image() const { return preview_image_; }

private:
    void open_picture();
    void pick_color(ColorTarget target);
    void reset();
    void save();
    void cancel();
    void after_event();

    SkinCreatorState state_;
    std::shared_ptr<const QImage> picture_;
    QImage preview_image_;
    QLabel* preview_ = nullptr;
};

}  // namespace pendolux::gui
