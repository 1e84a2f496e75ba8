// save_config may run 40 times a second while the pointer rests on the meter;
// redraw_face runs whenever a total changes.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "core/config/config_file.h"
#include "core/config/program_state.h"
#include "gui/qt/meter_window.h"
#include "support/temp_folder.h"
#include "support/qt_application.h"

namespace {

void save_config_call(benchmark::State& state) {
    pendolux::test::TempFolder folder;
    pendolux::set_program_folder(folder.folder());
    pendolux::config().window_x = 633;
    for (auto _ : state) pendolux::save_config();
}
BENCHMARK(save_config_call)->Repetitions(9)->ReportAggregatesOnly(true);

void redraw_face_tick(benchmark::State& state) {
    pendolux::test::qt_application();
    pendolux::config().text_color = {100, 100, 100};
    pendolux::config().result_color = {0, 140, 200};
    pendolux::gui::MeterWindow meter;
    auto picture = std::make_shared<QImage>(100, 100, QImage::Format_ARGB32);
    picture->fill(qRgb(30, 30, 30));
    meter.set_skin_picture(picture);
    std::int32_t count = 0;
    // Every tick sees a changed total, so no redraw is skipped.
    for (auto _ : state) {
        pendolux::config().keystrokes = ++count;
        meter.redraw_face();
    }
}
BENCHMARK(redraw_face_tick)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
