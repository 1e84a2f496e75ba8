// The Qt windows of "Skin laden" and "Skin erstellen": layout, previews, and
// the window-modal boxes and dialogs they open.
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/display/value_text.h"
#include "core/skins/skin_file.h"
#include "gui/qt/face_drawing.h"
#include "gui/qt/picture_loader.h"
#include "gui/qt/skin_chooser_dialog.h"
#include "gui/qt/skin_creator_dialog.h"
#include "skin_dialogs/solid_png.h"
#include "support/temp_folder.h"
#include "support/qt_application.h"

// fontconfig keeps a cache for the life of the process; LeakSanitizer would
// report it at exit.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace pendolux::gui {
namespace {


constexpr QRgb red = 0xFFFF0000;

struct Place {
    const char* caption;  // empty for the list and the preview
    QRect rect;
};

void click(QWidget* dialog, const char* caption) {
    for (auto* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QString::fromUtf8(caption)) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << caption;
}

template <typename Dialog>
Dialog* open_child(QWidget* dialog) {
    for (auto* child : dialog->findChildren<Dialog*>())
        if (child->isVisible()) return child;
    return nullptr;
}

void expect_window_modal_notice(QWidget* dialog, const char* title, const char* text) {
    auto* box = open_child<QMessageBox>(dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8(title));
    EXPECT_EQ(box->text(), QString::fromUtf8(text));
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    box->accept();
}

// Every direct child in creation order with its caption and place.
std::vector<std::pair<QString, QRect>> controls(QWidget* dialog) {
    std::vector<std::pair<QString, QRect>> found;
    for (auto* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        auto* button = qobject_cast<QPushButton*>(child);
        found.emplace_back(button ? button->text() : QString(), child->geometry());
    }
    return found;
}

void expect_layout(QWidget* dialog, QSize inner, const std::vector<Place>& places) {
    EXPECT_EQ(dialog->size(), inner);
    EXPECT_EQ(dialog->minimumSize(), inner);
    EXPECT_EQ(dialog->maximumSize(), inner);
    const auto flags = dialog->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    std::vector<std::pair<QString, QRect>> expected;
    for (const auto& place : places) expected.emplace_back(QString::fromUtf8(place.caption), place.rect);
    EXPECT_EQ(controls(dialog), expected);
}

class SkinDialogWindowsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::qt_application();
    }
    void SetUp() override {
        set_program_folder(temp_.folder());
        config() = ConfigRecord{};
    }
    void TearDown() override {
        for (auto* window : QApplication::topLevelWidgets()) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::string picture(const std::string& name, int width, int height, std::uint32_t rgb) {
        const std::string path = temp_.file(name);
        test::write_file(path, test::solid_png(width, height, rgb));
        return path;
    }
    void add_skin(const std::string& name, std::uint32_t rgb, ColorTriple text, ColorTriple result) {
        std::filesystem::create_directories(temp_.file("skins"));
        ASSERT_TRUE(write_skin_file(temp_.file("skins/" + name + ".pxk"), picture("p.png", 100, 100, rgb), text,
                                    result));
    }
    static void choose_file(QWidget* dialog, const char* title, const char* filter, const std::string& path) {
        auto* files = open_child<QFileDialog>(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->windowTitle(), QString::fromUtf8(title));
        EXPECT_EQ(files->nameFilters(), QStringList{QString::fromUtf8(filter)});
        EXPECT_EQ(files->windowModality(), Qt::WindowModal);
        EXPECT_TRUE(files->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(files->defaultSuffix(), QString());
        if (path.empty()) {
            files->reject();
            return;
        }
        files->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(files)->accept();  // QFileDialog's own accept checks the name
    }

    test::TempFolder temp_;
};

TEST_F(SkinDialogWindowsTest, ChooserControlsSitWhereTheyBelongInCreationOrder) {
    SkinChooserDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Skin laden");
    expect_layout(&dialog, {303, 128},
                  {{"", {0, 2, 100, 124}},
                   {"Textfarbe", {101, 2, 100, 25}},
                   {"Ergebnisse", {101, 27, 100, 25}},
                   {"Zurücksetzen", {101, 77, 100, 25}},
                   {"Anwenden", {101, 102, 100, 25}},
                   {"Abbrechen", {203, 102, 100, 25}},
                   {"", {202, 2, 100, 100}}});
    auto* list = dialog.findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(dialog.findChild<QLabel*>()->pixmap().isNull());  // the preview starts empty
}

TEST_F(SkinDialogWindowsTest, CreatorControlsSitWhereTheyBelongInCreationOrder) {
    SkinCreatorDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Skin erstellen");
    expect_layout(&dialog, {204, 128},
                  {{"Grafik öffnen", {1, 2, 100, 25}},
                   {"Textfarbe", {1, 27, 100, 25}},
                   {"Ergebnisse", {1, 52, 100, 25}},
                   {"Zurücksetzen", {1, 77, 100, 25}},
                   {"Speichern", {1, 102, 100, 25}},
                   {"Abbrechen", {103, 102, 100, 25}},
                   {"", {102, 2, 100, 100}}});
}

TEST_F(SkinDialogWindowsTest, ChooserSelectsNothingUntilTheUserDoes) {
    SkinChooserDialog dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    auto* list = dialog.findChild<QListWidget*>();
    list->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(dialog.state().selected_skin, "");
    EXPECT_TRUE(dialog.findChild<QLabel*>()->pixmap().isNull());
}

TEST_F(SkinDialogWindowsTest, ChooserPreviewShowsTheBuiltInSkinWithItsColours) {
    SkinChooserDialog dialog;
    auto* list = dialog.findChild<QListWidget*>();
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Standard");
    list->setCurrentRow(0);

    QImage expected = make_face_image();
    const QImage builtin = builtin_skin_picture();
    draw_face(expected, &builtin, {100, 100, 100}, {0, 140, 200}, sample_distance_text, sample_clicks_text,
              sample_keystrokes_text);
    EXPECT_EQ(dialog.preview_image(), expected);
    EXPECT_EQ(dialog.findChild<QLabel*>()->pixmap().toImage().convertToFormat(expected.format()), expected);
}

TEST_F(SkinDialogWindowsTest, ChooserPreviewFollowsTheSelectionAndThePickedColour) {
    add_skin("Red", 0xFF0000, {0, 0, 0}, {0, 0, 0});
    SkinChooserDialog dialog;
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "Red");
    list->setCurrentRow(1);
    EXPECT_EQ(dialog.preview_image().pixel(1, 98), red);
    EXPECT_EQ(dialog.preview_image().pixel(99, 1), red);

    click(&dialog, "Textfarbe");
    auto* colors = open_child<QColorDialog>(&dialog);
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(colors->windowModality(), Qt::WindowModal);
    EXPECT_EQ(colors->currentColor(), QColor(0, 0, 0));
    colors->setCurrentColor(QColor(0, 255, 0));
    colors->accept();
    EXPECT_EQ(dialog.state().colors.text, (ColorTriple{0, 255, 0}));
    // The caption "Strecke" is now drawn in green over the red picture.
    int green = 0;
    for (int y = 6; y < 18; ++y)
        for (int x = 30; x < 70; ++x) green += qGreen(dialog.preview_image().pixel(x, y)) > 128;
    EXPECT_GT(green, 5);
}

TEST_F(SkinDialogWindowsTest, ChooserColourButtonsWithoutASkinShowTheFehlerNotice) {
    SkinChooserDialog dialog;
    dialog.show();
    for (const char* button : {"Textfarbe", "Ergebnisse", "Zurücksetzen"}) {
        SCOPED_TRACE(button);
        click(&dialog, button);
        expect_window_modal_notice(&dialog, "Fehler", "Sie müssen zuerst einen Skin laden");
    }
}

TEST_F(SkinDialogWindowsTest, ChooserAppliesTheSkinAndSavesTheRecordOnClosing) {
    add_skin("Red", 0xFF0000, {1, 2, 3}, {4, 5, 6});
    QPointer<SkinChooserDialog> dialog = new SkinChooserDialog();
    dialog->show();
    dialog->findChild<QListWidget*>()->setCurrentRow(1);
    click(dialog, "Anwenden");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());

    EXPECT_EQ(skin_path_text(config()), temp_.file("tmp.dat"));
    ConfigRecord saved;
    load_config_file(saved, temp_.file("config.dat"), 800, 600);
    EXPECT_EQ(saved.text_color, (ColorTriple{1, 2, 3}));
    EXPECT_EQ(saved.result_color, (ColorTriple{4, 5, 6}));
}

TEST_F(SkinDialogWindowsTest, ChooserCloseBoxSavesTheRecordToo) {
    config().keystrokes = 99;
    QPointer<SkinChooserDialog> dialog = new SkinChooserDialog();
    dialog->show();
    dialog->close();
    ConfigRecord saved;
    load_config_file(saved, temp_.file("config.dat"), 800, 600);
    EXPECT_EQ(saved.keystrokes.load(), 99);
}

TEST_F(SkinDialogWindowsTest, CreatorShowsAnOpenedPictureWithWhiteTexts) {
    SkinCreatorDialog dialog;
    dialog.show();
    click(&dialog, "Grafik öffnen");
    choose_file(&dialog, "Grafik laden", "Hintergrundgrafik (*.png *.bmp)", picture("red.png", 100, 100, 0xFF0000));
    EXPECT_TRUE(dialog.state().has_picture);
    EXPECT_EQ(dialog.preview_image().pixel(1, 98), red);
    int white = 0;
    for (int y = 6; y < 18; ++y)
        for (int x = 30; x < 70; ++x) white += qGreen(dialog.preview_image().pixel(x, y)) > 200;
    EXPECT_GT(white, 5);
    EXPECT_FALSE(dialog.findChild<QLabel*>()->pixmap().isNull());

    click(&dialog, "Zurücksetzen");
    EXPECT_TRUE(dialog.findChild<QLabel*>()->pixmap().isNull());
}

TEST_F(SkinDialogWindowsTest, CreatorRefusesPicturesThatAreNot100By100) {
    struct Case {
        const char* name;
        int width, height;
    } cases[] = {{"wide.png", 100, 80}, {"tall.png", 80, 100}, {"text.png", 0, 0}};
    SkinCreatorDialog dialog;
    dialog.show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = temp_.file(c.name);
        if (c.width == 0)
            test::write_file(path, {'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
        else
            path = picture(c.name, c.width, c.height, 0x00FF00);
        click(&dialog, "Grafik öffnen");
        choose_file(&dialog, "Grafik laden", "Hintergrundgrafik (*.png *.bmp)", path);
        expect_window_modal_notice(&dialog, "Info", "Die Grafik muss in einer Auflösung von 100x100 Pixel vorliegen");
        EXPECT_FALSE(dialog.state().has_picture);
    }
}

TEST_F(SkinDialogWindowsTest, CreatorSavesUnderTheCompletedNameAndCloses) {
    struct Case {
        const char* typed;
        const char* written;  // empty: nothing
    } cases[] = {{"MySkin", "MySkin.pxk"}, {"Other.PXK", "Other.PXK.pxk"}, {"", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QPointer<SkinCreatorDialog> dialog = new SkinCreatorDialog();
        dialog->show();
        click(dialog, "Grafik öffnen");
        choose_file(dialog, "Grafik laden", "Hintergrundgrafik (*.png *.bmp)", picture("red.png", 100, 100, 0xFF0000));
        click(dialog, "Speichern");
        choose_file(dialog, "Speichern", "Pendolux Skin (*.pxk)", *c.typed ? temp_.file(c.typed) : "");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isNull());
        if (*c.written) {
            EXPECT_TRUE(std::filesystem::exists(temp_.file(c.written)));
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.path()), {}), 3);  // red.png and two skins
}

TEST_F(SkinDialogWindowsTest, CreatorReportsAFailedSaveBeforeClosing) {
    QPointer<SkinCreatorDialog> dialog = new SkinCreatorDialog();
    dialog->show();
    click(dialog, "Grafik öffnen");
    choose_file(dialog, "Grafik laden", "Hintergrundgrafik (*.png *.bmp)", picture("red.png", 100, 100, 0xFF0000));
    std::filesystem::remove(temp_.file("red.png"));
    click(dialog, "Speichern");
    choose_file(dialog, "Speichern", "Pendolux Skin (*.pxk)", temp_.file("Lost"));
    ASSERT_FALSE(dialog.isNull());
    expect_window_modal_notice(dialog, "Error", "Konnte nicht speichern");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

}  // namespace
}  // namespace pendolux::gui
