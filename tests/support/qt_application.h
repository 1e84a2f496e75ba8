#pragma once
// The one QApplication of a GUI test process, made on first use.
#include <QApplication>

namespace pendolux::test {

inline QApplication& qt_application() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    static int argc = 1;
    static char name[] = "pendolux-test";
    static char* argv[] = {name, nullptr};
    return *new QApplication(argc, argv);
}

}  // namespace pendolux::test
