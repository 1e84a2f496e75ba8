// The reset question and the Info box, driven offscreen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "core/config/program_state.h"
#include "core/records/info_box.h"
#include "gui/qt/dialog_launchers.h"
#include "gui/qt/records_ui.h"
#include "platform/fake/fake_platform.h"
#include "support/temp_folder.h"
#include "support/qt_application.h"

namespace pendolux::gui {
namespace {

QApplication& application() { return test::qt_application(); }

std::vector<QMessageBox*> boxes_named(const char* name) {
    std::vector<QMessageBox*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box && box->objectName() == name && box->isVisible()) found.push_back(box);
    }
    return found;
}

class RecordsUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        application();
        fake_platform::reset();
        fake_platform::set_local_time({2024, 2, 29, 23, 59, 59});
        set_program_folder(folder.folder());
        config() = ConfigRecord{};
        config().keystrokes = 5;
        config().clicks = 6;
        config().distance = 7;
        config().logging = 0;
        set_reset_stamp("01.01.2001 um 01:01:01");
    }
    void TearDown() override {
        for (QMessageBox* box : boxes_named(info_box_object_name)) box->close();
        QApplication::processEvents();
    }
    static void set_reset_stamp(std::string_view text) {
        set_field_text(config().reset_stamp.data(), reset_stamp_capacity, text);
    }
    // Asks the question; once it shows, `inspect` looks at it and names the button to press.
    void answer_question(std::function<QMessageBox::StandardButton(QMessageBox&)> inspect) {
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            const auto open = boxes_named(reset_question_object_name);
            if (open.empty() || seen) return;
            seen = true;
            open.front()->button(inspect(*open.front()))->click();
        });
        poll.start(10);
        confirm_reset();
        EXPECT_TRUE(seen);
        EXPECT_TRUE(boxes_named(reset_question_object_name).empty());
    }

    test::TempFolder folder;
};

TEST_F(RecordsUiTest, NoLeavesEverythingAsItWas) {
    answer_question([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Zurücksetzen"));
        EXPECT_EQ(box.text(), QStringLiteral("Sind Sie sicher dass Sie die Strecke, Mausklicks und "
                                             "Tastenanschläge zurücksetzen wollen?"));
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        return QMessageBox::No;
    });
    EXPECT_EQ(config().keystrokes.load(), 5);
    EXPECT_EQ(config().clicks.load(), 6);
    EXPECT_EQ(config().distance.load(), 7);
    EXPECT_EQ(config().logging, 0);
    EXPECT_EQ(reset_stamp_text(config()), "01.01.2001 um 01:01:01");
    EXPECT_FALSE(std::filesystem::exists(folder.file("config.dat")));
}

TEST_F(RecordsUiTest, YesResetsStampsAndSavesWhileTimersKeepRunning) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    answer_question([&](QMessageBox&) {
        // The question waits; timers of the main loop still fire meanwhile.
        const int before = ticks;
        while (ticks < before + 3) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return QMessageBox::Yes;
    });
    EXPECT_EQ(config().keystrokes.load(), 0);
    EXPECT_EQ(config().clicks.load(), 0);
    EXPECT_EQ(config().distance.load(), 0);
    EXPECT_EQ(config().logging, 1);
    EXPECT_EQ(reset_stamp_text(config()), "29.02.2024 um 23:59:59");
    EXPECT_TRUE(std::filesystem::exists(folder.file("config.dat")));
}

TEST_F(RecordsUiTest, InfoTwiceShowsOneBoxAndClosingAllowsTheNext) {
    open_info_box();
    open_info_box();
    auto open = boxes_named(info_box_object_name);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open.front()->windowTitle(), QStringLiteral("Info"));
    EXPECT_TRUE(open.front()->text().startsWith(QStringLiteral("Pendolux\nZurückgesetzt am 01.01.2001 um 01:01:01\n\n")));
    EXPECT_FALSE(open.front()->isModal());

    open.front()->button(QMessageBox::Ok)->click();
    QApplication::processEvents();
    EXPECT_FALSE(info_open());
    EXPECT_TRUE(boxes_named(info_box_object_name).empty());

    // A reset while no box is open shows in the next one.
    set_reset_stamp("02.02.2002 um 02:02:02");
    open_info_box();
    open = boxes_named(info_box_object_name);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(open.front()->text().contains(QStringLiteral("am 02.02.2002 um 02:02:02\n")));
}

TEST_F(RecordsUiTest, InfoShowsOddStampsExactlyAsTheirCharacters) {
    struct {
        std::string stamp;
        QString shown;
    } const cases[] = {
        {"", QString()},
        {"<b>Fett</b>&amp;\xE4\x80xxxxxx", QStringLiteral("<b>Fett</b>&amp;ä€xxxxxx")},
    };
    for (const auto& c : cases) {
        set_reset_stamp(c.stamp);
        open_info_box();
        const auto open = boxes_named(info_box_object_name);
        ASSERT_EQ(open.size(), 1u);
        EXPECT_EQ(open.front()->textFormat(), Qt::PlainText);
        EXPECT_TRUE(open.front()->text().contains(QStringLiteral("Zurückgesetzt am ") + c.shown + QStringLiteral("\n\n")))
            << open.front()->text().toStdString();
        open.front()->close();
        QApplication::processEvents();
        EXPECT_FALSE(info_open());
    }
}

}  // namespace
}  // namespace pendolux::gui
