#pragma once
// "Einstellungen": binds the controls to the settings form of the core.
#include <QWidget>

#include "core/settings/settings_form.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace pendolux::gui {

class SettingsDialog : public QWidget {
    Q_OBJECT
public:
    // Filled from config(); deletes itself when closed.
    SettingsDialog();

    // The controls, for tests.
    QFrame* options_frame() const { return options_frame_; }
    QFrame* monitor_frame() const { return monitor_frame_; }
    QCheckBox* always_on_top_box() const { return always_on_top_box_; }
    QCheckBox* autostart_box() const { return autostart_box_; }
    QCheckBox* logging_box() const { return logging_box_; }
    QLabel* explanation_label() const { return explanation_label_; }
    QRadioButton* inches_option() const { return inches_option_; }
    QRadioButton* centimetres_option() const { return centimetres_option_; }
    QLabel* diagonal_label() const { return diagonal_label_; }
    QComboBox* inch_box() const { return inch_box_; }
    QComboBox* centimetre_box() const { return centimetre_box_; }
    QLabel* unit_label() const { return unit_label_; }
    QLabel* aspect_label() const { return aspect_label_; }
    QComboBox* aspect_box() const { return aspect_box_; }
    QPushButton* apply_button() const { return apply_button_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void create_controls();
    void show_form(const SettingsForm& form);
    SettingsForm read_form() const;
    void unit_clicked();
    void apply_clicked();

    bool applied_ = false;
    QFrame* options_frame_ = nullptr;
    QFrame* monitor_frame_ = nullptr;
    QCheckBox* always_on_top_box_ = nullptr;
    QCheckBox* autostart_box_ = nullptr;
    QCheckBox* logging_box_ = nullptr;
    QLabel* explanation_label_ = nullptr;
    QRadioButton* inches_option_ = nullptr;
    QRadioButton* centimetres_option_ = nullptr;
    QLabel* diagonal_label_ = nullptr;
    QComboBox* inch_box_ = nullptr;
    QComboBox* centimetre_box_ = nullptr;
    QLabel* unit_label_ = nullptr;
    QLabel* aspect_label_ = nullptr;
    QComboBox* aspect_box_ = nullptr;
    QPushButton* apply_button_ = nullptr;
};

}  // namespace pendolux::gui
