// The process's QGuiApplication for console programs.
#include "plot/gui_application.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <string>

namespace vx::plot {

namespace {

// Qt wants a private runtime folder and warns on every start without one (console runs, CI).
// The folder it would fall back to is made here, quietly, when it is safe: ours, mode 0700,
// not a link.
void provideRuntimeFolder() {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return;
    const std::string folder = "/tmp/runtime-" + std::to_string(getuid());
    ::mkdir(folder.c_str(), 0700);
    struct stat st;
    if (::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
        (st.st_mode & 0777) == 0700)
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder));
}

}  // namespace

bool ensureGuiApplication(std::string& error) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (qobject_cast<QGuiApplication*>(app)) return true;
        error = "a Qt application without graphics is running; plotting needs QtGui";
        return false;
    }
    // A platform the user chose (xcb for a desktop session) is respected.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    provideRuntimeFolder();
    // Qt keeps argc by reference and argv for the application's lifetime: both live forever,
    // as does the application (it is needed until the process ends).
    static int argc = 1;
    static char name[] = "vxhost";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    // Made once: an application someone else destroyed since is not made again.
    if (QCoreApplication::instance() != app) {
        error = "the Qt application of this process has ended";
        return false;
    }
    return true;
}

}  // namespace vx::plot
