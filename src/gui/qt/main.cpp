#include <QApplication>

#include "gui/qt/application.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    // The program takes no arguments; Qt gets only the program name.
    int qt_argc = argc > 0 ? 1 : 0;
    QApplication app(qt_argc, argv);
    pendolux::platform::initialise();
    return pendolux::gui::run_pendolux(app);
}
