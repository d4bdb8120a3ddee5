// The process's QGuiApplication for console programs.
#include "plot/gui_application.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace vx::plot {

bool ensureGuiApplication(std::string& error) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (qobject_cast<QGuiApplication*>(app)) return true;
        error = "a Qt application without graphics is running; plotting needs QtGui";
        return false;
    }
    // A platform the user chose (xcb for a desktop session) is respected.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps argc by reference and argv for the application's lifetime: both live forever,
    // as does the application (it is needed until the process ends).
    static int argc = 1;
    static char name[] = "vxhost";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    if (!app || !QGuiApplication::instance()) {
        error = "the Qt platform could not start";
        return false;
    }
    return true;
}

}  // namespace vx::plot
