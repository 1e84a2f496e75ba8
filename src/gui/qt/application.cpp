#include "gui/qt/application.h"

#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "assets/embedded_assets.h"
#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "core/measure/display_size.h"
#include "core/measure/measure.h"
#include "core/records/records.h"
#include "core/skins/skins_folder.h"
#include "gui/qt/dialog_launchers.h"
#include "gui/qt/exit_signals.h"
#include "gui/qt/main_loop_driver.h"
#include "gui/qt/meter_access.h"
#include "gui/qt/meter_window.h"
#include "gui/qt/picture_loader.h"
#include "gui/qt/skin_picture.h"
#include "gui/qt/text_encoding.h"
#include "platform/platform.h"

namespace pendolux::gui {
namespace {

constexpr int log_period_ms = 60000;
constexpr int save_period_ms = 5000;

QSystemTrayIcon* the_tray = nullptr;

void load_german_qt_texts(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

void show_first_start_message() {
    QMessageBox box(QMessageBox::NoIcon, from_cp1252("Monitorgr\xF6\xDF" "e"),
                    from_cp1252("Bitte zuerst Monitordiagonale (in Zoll) und Seitenverh\xE4ltnis einstellen, "
                                "damit die Mausstrecke berechnet werden kann."),
                    QMessageBox::Ok);
    box.exec();
}

QMenu* build_popup_menu() {
    auto* menu = new QMenu();
    const struct {
        const char* caption;
        int id;
    } items[] = {{"Einstellungen", menu_settings}, {"Skin laden", menu_skin_chooser},
                 {"Skin erstellen", menu_skin_creator}, {"Zur\xFC" "cksetzen", menu_reset},
                 {"Info", menu_info}, {"Beenden", menu_quit}};
    for (const auto& item : items) menu->addAction(from_cp1252(item.caption))->setData(item.id);
    return menu;
}

QIcon tray_icon_picture() {
    const auto bytes = assets::tray_icon();
    QImage image;
    image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "ICO");
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace

int run_pendolux(QApplication& app) {
    QApplication::setQuitOnLastWindowClosed(false);
    load_german_qt_texts(app);

    // 1-3: the display, the sampler's arrays (static, zero) and the jump limit.
    const platform::DisplaySize display = platform::primary_display_size();
    set_display_size(display.width, display.height);
    compute_jump_limit();

    // 4: the record, with the first-start path.
    set_program_folder(platform::program_folder());
    if (load_config(display_width(), display_height()) == ConfigLoad::created) {
        reset_totals();
        show_first_start_message();
        open_settings_dialog();
        close_new_config();
    }

    // 5-7
    ensure_skins_folder();
    auto skin_picture = load_current_skin_picture();
    const QIcon tray_picture = tray_icon_picture();
    [[maybe_unused]] const int changed = ::chdir(program_folder().c_str());

    // 8: the meter.
    MeterWindow* meter = create_meter_window(std::move(skin_picture));

    // 9-11
    set_distance_at_last_log(config().distance.load());
    reset_prev_position();
    start_sampler([] { report_totals_changed(); });

    // 12: the log and save timers; the face redraws when something changed.
    auto* log_timer = new QTimer(&app);
    QObject::connect(log_timer, &QTimer::timeout, [] { append_usage_record(); });
    log_timer->start(log_period_ms);
    auto* save_timer = new QTimer(&app);
    QObject::connect(save_timer, &QTimer::timeout, [] { save_config(); });
    save_timer->start(save_period_ms);

    // 13-14: menu and tray icon.
    QMenu* menu = build_popup_menu();
    the_tray = new QSystemTrayIcon(tray_picture, &app);
    the_tray->setToolTip(QStringLiteral("Pendolux"));
    the_tray->show();
    new MainLoopDriver(meter, the_tray, menu);

    route_exit_signals([] { quit_program(); });
    // When the display goes away with the session, the toolkit and Xlib end
    // the process through exit(); save first, and skip the static destructors
    // that the still running sampler would trip over.
    std::atexit([] {
        save_config();
        std::_Exit(0);
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, [](QSessionManager&) { quit_program(); });

    // 15
    return QApplication::exec();
}

void quit_program() {
    save_config();
    if (the_tray) the_tray->hide();
    if (MeterWindow* meter = meter_window()) meter->hide();
    QApplication::processEvents();
    std::fflush(nullptr);
    // The sampler thread ends with the process; nothing waits for it.
    std::_Exit(0);
}

}  // namespace pendolux::gui
