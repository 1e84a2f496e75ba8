// The "Einstellungen" window offscreen: what it shows, what its controls do.
#include "gui/qt/settings_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/measure/display_size.h"
#include "core/settings/settings_layout.h"
#include "gui/qt/dialog_launchers.h"
#include "gui/qt/meter_window.h"
#include "platform/fake/fake_platform.h"
#include "support/temp_folder.h"
#include "support/qt_application.h"

namespace pendolux::gui {
namespace {

ConfigRecord record_with(double diagonal, int in_inches, int aspect_x, int aspect_y) {
    ConfigRecord record;
    apply_first_start_defaults(record, 1280, 1024);
    record.logging = 1;
    record.diagonal = diagonal;
    record.diagonal_in_inches = static_cast<std::int8_t>(in_inches);
    record.aspect_x = static_cast<std::int8_t>(aspect_x);
    record.aspect_y = static_cast<std::int8_t>(aspect_y);
    return record;
}

class SettingsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::qt_application();
    }

    void SetUp() override {
        fake_platform::reset();
        fake_platform::set_program_folder(folder.folder());
        set_program_folder(folder.folder());
        set_display_size(1280, 1024);
        config() = record_with(0.0, 1, 0, 0);
    }

    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Deleting a dialog deletes its list popups, which are top-level too.
        std::vector<QPointer<SettingsDialog>> open;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<SettingsDialog*>(widget)) open.emplace_back(dialog);
        for (const auto& dialog : open) delete dialog.data();
        config() = ConfigRecord();
    }

    // Opens one more dialog as the menu item does and returns it.
    SettingsDialog* open_dialog() {
        std::set<QWidget*> before;
        for (QWidget* widget : QApplication::topLevelWidgets()) before.insert(widget);
        open_settings_dialog();
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<SettingsDialog*>(widget); dialog && !before.count(widget)) return dialog;
        ADD_FAILURE() << "no new settings dialog";
        return nullptr;
    }

    // Typed into the focused box of the active window, as a user types.
    static void type_into(QComboBox* box, const QString& text) {
        QWidget* window = box->window();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        box->lineEdit()->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
        // keyClicks knows only ASCII; other characters come as key events carrying text.
        for (const QChar character : text) {
            if (character.unicode() < 0x80)
                QTest::keyClick(box->lineEdit(), character.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key_unknown, QString(character), Qt::NoModifier);
        }
    }

    // The window is gone once the deferred deletion ran.
    static bool closed(const QPointer<SettingsDialog>& dialog) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dialog.isNull();
    }

    std::vector<std::uint8_t> saved_bytes() const {
        std::ifstream in(folder.file("config.dat"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    test::TempFolder folder;
};

TEST_F(SettingsDialogTest, OpensWithTheRecordsValues) {
    const struct {
        const char* name;
        ConfigRecord record;
        bool inches;
        const char* diagonal_text;
        const char* aspect_text;
    } cases[] = {
        {"first start", record_with(0.0, 1, 0, 0), true, "0.00", "0:0"},
        {"22 inches 16:10", record_with(22.0, 1, 16, 10), true, "22.0", "16:10"},
        {"1234.5 inches", record_with(1234.5, 1, 4, 3), true, "1234", "4:3"},
        {"54.9 cm", record_with(54.9, 0, 16, 9), false, "54.9", "16:9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        config() = c.record;
        SettingsDialog* dialog = open_dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->always_on_top_box()->isChecked());
        EXPECT_FALSE(dialog->autostart_box()->isChecked());
        EXPECT_TRUE(dialog->logging_box()->isChecked());
        EXPECT_EQ(dialog->inches_option()->isChecked(), c.inches);
        EXPECT_EQ(dialog->centimetres_option()->isChecked(), !c.inches);
        QComboBox* shown = c.inches ? dialog->inch_box() : dialog->centimetre_box();
        QComboBox* hidden = c.inches ? dialog->centimetre_box() : dialog->inch_box();
        EXPECT_TRUE(shown->isVisible());
        EXPECT_FALSE(hidden->isVisible());
        EXPECT_EQ(shown->currentText(), c.diagonal_text);
        EXPECT_EQ(hidden->currentText(), "");
        EXPECT_EQ(dialog->unit_label()->text(), c.inches ? "Zoll" : "Zentimeter");
        EXPECT_EQ(dialog->aspect_box()->currentText(), c.aspect_text);
        for (QComboBox* box : {dialog->inch_box(), dialog->centimetre_box(), dialog->aspect_box()})
            EXPECT_EQ(box->currentIndex(), -1);
        dialog->close();
    }
}

TEST_F(SettingsDialogTest, WindowAndControlsAreWhereTheyBelong) {
    SettingsDialog* dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Einstellungen");
    EXPECT_EQ(dialog->size(), QSize(300, 230));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    const Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(dialog->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(dialog->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    EXPECT_EQ(dialog->font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont));

    QWidget* controls[] = {dialog->options_frame(),     dialog->always_on_top_box(), dialog->autostart_box(),
                           dialog->logging_box(),       dialog->monitor_frame(),     dialog->explanation_label(),
                           dialog->inches_option(),     dialog->centimetres_option(), dialog->diagonal_label(),
                           dialog->inch_box(),          dialog->centimetre_box(),    dialog->unit_label(),
                           dialog->aspect_label(),      dialog->aspect_box(),        dialog->apply_button()};
    std::vector<QWidget*> in_window, in_options, in_monitor;
    for (std::size_t i = 0; i < settings_layout.size(); ++i) {
        const ControlPlace& place = settings_layout[i];
        SCOPED_TRACE(i + 1);
        QWidget* control = controls[i];
        EXPECT_EQ(control->geometry(), QRect(place.x, place.y, place.width, place.height));
        if (place.parent == ControlParent::window) {
            EXPECT_EQ(control->parentWidget(), dialog);
            in_window.push_back(control);
            continue;
        }
        // Inside a frame: placed from the inside of its one-pixel border.
        QFrame* frame = place.parent == ControlParent::options_frame ? dialog->options_frame() : dialog->monitor_frame();
        QWidget* inside = control->parentWidget();
        EXPECT_EQ(inside->parentWidget(), frame);
        EXPECT_EQ(inside->geometry(), frame->rect().adjusted(1, 1, -1, -1));
        (place.parent == ControlParent::options_frame ? in_options : in_monitor).push_back(control);
    }
    // Created in table order: children keep the order of their creation.
    const auto widget_children = [](QWidget* parent) {
        std::vector<QWidget*> list;
        for (QObject* child : parent->children())
            if (auto* widget = qobject_cast<QWidget*>(child); widget && widget->parentWidget() == parent)
                list.push_back(widget);
        return list;
    };
    EXPECT_EQ(widget_children(dialog), in_window);
    EXPECT_EQ(widget_children(dialog->always_on_top_box()->parentWidget()), in_options);
    EXPECT_EQ(widget_children(dialog->inch_box()->parentWidget()), in_monitor);

    for (QFrame* frame : {dialog->options_frame(), dialog->monitor_frame()}) {
        EXPECT_EQ(frame->frameShape(), QFrame::Box);
        EXPECT_EQ(frame->frameShadow(), QFrame::Plain);
        EXPECT_EQ(frame->lineWidth(), 1);
    }
    EXPECT_EQ(dialog->always_on_top_box()->text(), "Immer im Vordergrund");
    EXPECT_EQ(dialog->autostart_box()->text(), "Automatisch mit Windows starten");
    EXPECT_EQ(dialog->logging_box()->text(), "Protokollierung aktivieren");
    EXPECT_TRUE(dialog->explanation_label()->text().startsWith(QString::fromUtf8("Um eine passende")));
    EXPECT_TRUE(dialog->explanation_label()->text().contains(QString::fromUtf8("müssen")));
    EXPECT_EQ(dialog->inches_option()->text(), "Diagonale in Zoll");
    EXPECT_EQ(dialog->centimetres_option()->text(), "Diagonale in Zentimeter");
    EXPECT_EQ(dialog->diagonal_label()->text(), "Bildschirmdiagonale:");
    EXPECT_EQ(dialog->aspect_label()->text(), QString::fromUtf8("Seitenverhältnis:"));
    EXPECT_EQ(dialog->apply_button()->text(), "Anwenden");

    const auto items = [](QComboBox* box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
        return list.join(' ');
    };
    EXPECT_EQ(items(dialog->inch_box()), "7 9 13 15.4 17 19 20 21 21.6 22 24");
    EXPECT_EQ(items(dialog->centimetre_box()), "17.9 22.9 33 39.1 43.2 48.3 50.8 53.3 54.9 70");
    EXPECT_EQ(items(dialog->aspect_box()), "4:3 16:9 16:10");
    for (QComboBox* box : {dialog->inch_box(), dialog->centimetre_box(), dialog->aspect_box()}) {
        EXPECT_TRUE(box->isEditable());
        EXPECT_GE(box->maxVisibleItems(), box->count());
    }
}

// What is typed is what is read: no completion to a preset, nothing added to the lists.
TEST_F(SettingsDialogTest, TypedTextStaysAsTyped) {
    SettingsDialog* dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    type_into(dialog->inch_box(), "2");
    QTest::keyClick(dialog->inch_box()->lineEdit(), Qt::Key_Return);
    type_into(dialog->aspect_box(), "16:1");
    EXPECT_EQ(dialog->inch_box()->currentText().toStdString(), "2");
    EXPECT_EQ(dialog->inch_box()->count(), 11);
    EXPECT_EQ(dialog->aspect_box()->currentText().toStdString(), "16:1");
}

// Anything typed is taken without a message and read the one way.
TEST_F(SettingsDialogTest, TypedTextsAreReadAsTheyAre) {
    const struct {
        QString diagonal;
        QString aspect;
        double stored_diagonal;
        int x;
        int y;
    } cases[] = {
        {"21,6", "16:10", 21.0, 16, 10},
        {QString::fromUtf8("２２"), QString::fromUtf8("１６:９"), 0.0, 0, 0},
        {" 22 Zoll", "  4:  3", 22.0, 4, 3},
        {QString::fromUtf8("Größe"), "200:100", 0.0, -56, 100},
        {QString(300, '7'), "16/10", 7.777777777777777e299, 16, 0},
        {"", "", 0.0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.diagonal.toStdString() + " / " + c.aspect.toStdString());
        SettingsDialog* dialog = open_dialog();
        ASSERT_NE(dialog, nullptr);
        type_into(dialog->inch_box(), c.diagonal);
        type_into(dialog->aspect_box(), c.aspect);
        QTest::mouseClick(dialog->apply_button(), Qt::LeftButton);
        EXPECT_DOUBLE_EQ(config().diagonal, c.stored_diagonal);
        EXPECT_EQ(config().aspect_x, c.x);
        EXPECT_EQ(config().aspect_y, c.y);
    }
}

TEST_F(SettingsDialogTest, UnitSwitchKeepsWhatWasTyped) {
    config() = record_with(22.0, 1, 16, 10);
    SettingsDialog* dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    type_into(dialog->inch_box(), "24");
    QTest::mouseClick(dialog->centimetres_option(), Qt::LeftButton);
    EXPECT_FALSE(dialog->inch_box()->isVisible());
    EXPECT_TRUE(dialog->centimetre_box()->isVisible());
    EXPECT_EQ(dialog->unit_label()->text(), "Zentimeter");
    EXPECT_EQ(dialog->centimetre_box()->currentText(), "");
    type_into(dialog->centimetre_box(), "61");

    QTest::mouseClick(dialog->inches_option(), Qt::LeftButton);
    EXPECT_TRUE(dialog->inch_box()->isVisible());
    EXPECT_FALSE(dialog->centimetre_box()->isVisible());
    EXPECT_EQ(dialog->unit_label()->text(), "Zoll");
    EXPECT_EQ(dialog->inch_box()->currentText(), "24");
    EXPECT_EQ(dialog->centimetre_box()->currentText(), "61");
    EXPECT_FALSE(dialog->centimetres_option()->isChecked());
}

TEST_F(SettingsDialogTest, ApplyStoresRecalibratesSavesAndCloses) {
    SettingsDialog* dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    QPointer<SettingsDialog> watched(dialog);
    QTest::mouseClick(dialog->always_on_top_box(), Qt::LeftButton);
    QTest::mouseClick(dialog->autostart_box(), Qt::LeftButton);
    type_into(dialog->inch_box(), "22");
    type_into(dialog->aspect_box(), "16:10");
    QTest::mouseClick(dialog->apply_button(), Qt::LeftButton);

    EXPECT_TRUE(closed(watched));
    EXPECT_EQ(config().always_on_top, 0);
    EXPECT_EQ(config().autostart, 1);
    EXPECT_EQ(config().logging, 1);
    EXPECT_EQ(config().diagonal_in_inches, 1);
    EXPECT_EQ(config().diagonal, 22.0);
    EXPECT_EQ(config().aspect_x, 16);
    EXPECT_EQ(config().aspect_y, 10);
    // 22 in = 56 cm; one ratio step is 56 / sqrt(16^2 + 10^2) cm.
    const double unit = 56.0 / std::sqrt(356.0);
    EXPECT_NEAR(config().cm_per_px_x, unit * 16 / 1280, 1e-12);
    EXPECT_NEAR(config().cm_per_px_y, unit * 10 / 1024, 1e-12);
    EXPECT_TRUE(fake_platform::autostart_enabled());
    const auto image = pack_config(config());
    EXPECT_EQ(saved_bytes(), std::vector<std::uint8_t>(image.begin(), image.end()));
}

TEST_F(SettingsDialogTest, ApplyChangesTheMetersTopmostStateAtOnce) {
    MeterWindow meter;
    set_meter_window(&meter);
    meter.apply_topmost(true);
    for (const bool topmost : {false, true}) {
        SettingsDialog* dialog = open_dialog();
        ASSERT_NE(dialog, nullptr);
        if (dialog->always_on_top_box()->isChecked() != topmost)
            QTest::mouseClick(dialog->always_on_top_box(), Qt::LeftButton);
        QTest::mouseClick(dialog->apply_button(), Qt::LeftButton);
        EXPECT_EQ(meter.windowFlags().testFlag(Qt::WindowStaysOnTopHint), topmost);
    }
    set_meter_window(nullptr);
}

TEST_F(SettingsDialogTest, ApplyWithoutTouchingKeepsTheShownText) {
    config() = record_with(1234.5, 1, 16, 10);
    SettingsDialog* dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->apply_button(), Qt::LeftButton);
    EXPECT_EQ(config().diagonal, 1234.0);
    EXPECT_EQ(config().aspect_x, 16);
    EXPECT_EQ(config().aspect_y, 10);
}

TEST_F(SettingsDialogTest, OtherUnitWithoutValueStoresZero) {
    config() = record_with(22.0, 1, 16, 10);
    SettingsDialog* dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->centimetres_option(), Qt::LeftButton);
    QTest::mouseClick(dialog->apply_button(), Qt::LeftButton);
    EXPECT_EQ(config().diagonal, 0.0);
    EXPECT_EQ(config().diagonal_in_inches, 0);

    SettingsDialog* next = open_dialog();
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->centimetres_option()->isChecked());
    EXPECT_EQ(next->centimetre_box()->currentText(), "0.00");
}

TEST_F(SettingsDialogTest, CloseBoxSavesTheRecordUnchanged) {
    config() = record_with(22.0, 1, 16, 10);
    const auto before = pack_config(config());
    SettingsDialog* dialog = open_dialog();
    ASSERT_NE(dialog, nullptr);
    QPointer<SettingsDialog> watched(dialog);
    QTest::mouseClick(dialog->autostart_box(), Qt::LeftButton);
    QTest::mouseClick(dialog->logging_box(), Qt::LeftButton);
    type_into(dialog->inch_box(), "30");
    type_into(dialog->aspect_box(), "4:3");
    dialog->close();

    EXPECT_TRUE(closed(watched));
    EXPECT_EQ(pack_config(config()), before);
    EXPECT_EQ(saved_bytes(), std::vector<std::uint8_t>(before.begin(), before.end()));
    EXPECT_FALSE(fake_platform::autostart_enabled());
}

TEST_F(SettingsDialogTest, TwoDialogsTheLastApplyWins) {
    config() = record_with(22.0, 1, 16, 10);
    SettingsDialog* first = open_dialog();
    SettingsDialog* second = open_dialog();
    ASSERT_TRUE(first && second && first != second);

    type_into(first->inch_box(), "24");
    type_into(first->aspect_box(), "16:9");
    QTest::mouseClick(second->centimetres_option(), Qt::LeftButton);
    type_into(second->centimetre_box(), "61");
    type_into(second->aspect_box(), "4:3");
    QTest::mouseClick(second->logging_box(), Qt::LeftButton);
    // The first dialog still shows what it showed when it opened.
    EXPECT_TRUE(first->inches_option()->isChecked());

    QTest::mouseClick(second->apply_button(), Qt::LeftButton);
    EXPECT_EQ(config().diagonal, 61.0);
    EXPECT_EQ(config().logging, 0);
    QTest::mouseClick(first->apply_button(), Qt::LeftButton);
    EXPECT_EQ(config().diagonal, 24.0);
    EXPECT_EQ(config().diagonal_in_inches, 1);
    EXPECT_EQ(config().aspect_x, 16);
    EXPECT_EQ(config().aspect_y, 9);
    EXPECT_EQ(config().logging, 1);
}

}  // namespace
}  // namespace pendolux::gui
