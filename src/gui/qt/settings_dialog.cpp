#include "gui/qt/settings_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/settings/settings_layout.h"
#include "core/settings/settings_texts.h"
#include "gui/qt/dialog_launchers.h"
#include "gui/qt/meter_access.h"
#include "gui/qt/text_encoding.h"

namespace pendolux::gui {
namespace {

// Room for every preset without a scroll bar (the list may drop 350 pixels).
constexpr int combo_visible_items = 17;

template <std::size_t N>
QComboBox* make_combo_box(QWidget* parent, const std::array<std::string_view, N>& presets) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    // Typed text is read as it is: no completion, nothing added to the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMaxVisibleItems(combo_visible_items);
    for (const std::string_view item : presets) box->addItem(from_cp1252(item));
    box->setCurrentIndex(-1);
    return box;
}

QLabel* make_label(QWidget* parent, std::string_view text) {
    auto* label = new QLabel(from_cp1252(text), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A plain panel with a one-pixel border; its controls live on an inner
// widget so that their places count from the inside of the border.
QFrame* make_frame(QWidget* parent, QWidget*& inside) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(settings_frame_border);
    inside = new QWidget(frame);
    return frame;
}

}  // namespace

SettingsDialog::SettingsDialog()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(from_cp1252(settings_text::title));
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    setFixedSize(settings_client_width, settings_client_height);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->geometry()));

    create_controls();
    show_form(fill_settings_form(config()));

    connect(inches_option_, &QRadioButton::toggled, this, &SettingsDialog::unit_clicked);
    connect(apply_button_, &QPushButton::clicked, this, &SettingsDialog::apply_clicked);
}

void SettingsDialog::create_controls() {
    QWidget* options_inside = nullptr;
    QWidget* monitor_inside = nullptr;
    for (const ControlPlace& place : settings_layout) {
        QWidget* parent = place.parent == ControlParent::options_frame   ? options_inside
                          : place.parent == ControlParent::monitor_frame ? monitor_inside
                                                                         : this;
        QWidget* control = nullptr;
        switch (place.control) {
            case SettingsControl::options_frame: control = options_frame_ = make_frame(this, options_inside); break;
            case SettingsControl::monitor_frame: control = monitor_frame_ = make_frame(this, monitor_inside); break;
            case SettingsControl::always_on_top_box:
                control = always_on_top_box_ = new QCheckBox(from_cp1252(settings_text::always_on_top), parent);
                break;
            case SettingsControl::autostart_box:
                control = autostart_box_ = new QCheckBox(from_cp1252(settings_text::autostart), parent);
                break;
            case SettingsControl::logging_box:
                control = logging_box_ = new QCheckBox(from_cp1252(settings_text::logging), parent);
                break;
            case SettingsControl::explanation_label:
                control = explanation_label_ = make_label(parent, settings_text::explanation);
                explanation_label_->setWordWrap(true);
                break;
            case SettingsControl::inches_option:
                control = inches_option_ = new QRadioButton(from_cp1252(settings_text::in_inches), parent);
                break;
            case SettingsControl::centimetres_option:
                control = centimetres_option_ = new QRadioButton(from_cp1252(settings_text::in_centimetres), parent);
                break;
            case SettingsControl::diagonal_label:
                control = diagonal_label_ = make_label(parent, settings_text::diagonal);
                break;
            case SettingsControl::inch_box:
                control = inch_box_ = make_combo_box(parent, settings_text::inch_presets);
                break;
            case SettingsControl::centimetre_box:
                control = centimetre_box_ = make_combo_box(parent, settings_text::centimetre_presets);
                break;
            case SettingsControl::unit_label: control = unit_label_ = make_label(parent, settings_text::unit_inches); break;
            case SettingsControl::aspect_label: control = aspect_label_ = make_label(parent, settings_text::aspect); break;
            case SettingsControl::aspect_box:
                control = aspect_box_ = make_combo_box(parent, settings_text::aspect_presets);
                break;
            case SettingsControl::apply_button:
                control = apply_button_ = new QPushButton(from_cp1252(settings_text::apply), parent);
                break;
        }
        control->setGeometry(place.x, place.y, place.width, place.height);
        if (place.control == SettingsControl::options_frame || place.control == SettingsControl::monitor_frame) {
            QWidget* inside = place.control == SettingsControl::options_frame ? options_inside : monitor_inside;
            inside->setGeometry(settings_frame_border, settings_frame_border,
                                place.width - 2 * settings_frame_border, place.height - 2 * settings_frame_border);
        }
    }
}

void SettingsDialog::show_form(const SettingsForm& form) {
    always_on_top_box_->setChecked(form.always_on_top);
    autostart_box_->setChecked(form.autostart);
    logging_box_->setChecked(form.logging);
    inches_option_->setChecked(form.unit == DiagonalUnit::inches);
    centimetres_option_->setChecked(form.unit == DiagonalUnit::centimetres);
    inch_box_->setEditText(from_cp1252(form.inch_text));
    centimetre_box_->setEditText(from_cp1252(form.centimetre_text));
    aspect_box_->setEditText(from_cp1252(form.aspect_text));
    inch_box_->setVisible(form.inch_box_visible);
    centimetre_box_->setVisible(!form.inch_box_visible);
    unit_label_->setText(from_cp1252(form.unit_label));
}

SettingsForm SettingsDialog::read_form() const {
    SettingsForm form;
    form.always_on_top = always_on_top_box_->isChecked();
    form.autostart = autostart_box_->isChecked();
    form.logging = logging_box_->isChecked();
    select_diagonal_unit(form, inches_option_->isChecked() ? DiagonalUnit::inches : DiagonalUnit::centimetres);
    form.inch_text = to_cp1252(inch_box_->currentText());
    form.centimetre_text = to_cp1252(centimetre_box_->currentText());
    form.aspect_text = to_cp1252(aspect_box_->currentText());
    return form;
}

void SettingsDialog::unit_clicked() {
    // Only which box shows and the label change; both texts stay as typed.
    const SettingsForm form = read_form();
    inch_box_->setVisible(form.inch_box_visible);
    centimetre_box_->setVisible(!form.inch_box_visible);
    unit_label_->setText(from_cp1252(form.unit_label));
}

void SettingsDialog::apply_clicked() {
    if (applied_) return;
    applied_ = true;
    apply_settings(read_form(), [] { apply_meter_topmost(); });
    close();
}

void SettingsDialog::closeEvent(QCloseEvent* event) {
    // The close box applies nothing; the record is saved as it is.
    if (!applied_) save_config();
    event->accept();
}

void open_settings_dialog() {
    auto* dialog = new SettingsDialog();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace pendolux::gui
