#include <QApplication>
#include <QtGlobal>

#include "gui/qt/application.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    // The tile is 100 x 100: a shared-memory blit saves nothing at that size,
    // and its completion event wakes two of our threads after every redraw.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    // The program takes no arguments; Qt gets only the program name.
    int qt_argc = argc > 0 ? 1 : 0;
    QApplication app(qt_argc, argv);
    pendolux::platform::initialise();
    return pendolux::gui::run_pendolux(app);
}
