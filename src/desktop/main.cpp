#include <QApplication>
#include <QDirIterator>
#include <QIcon>

#include "window/Quorvane.h"

namespace {

// The icon's PNG sizes, rendered from its SVG at build time and built into the program, so the
// title bar and the task bar show it whether Quorvane is installed or run from the build folder.
QIcon applicationIcon() {
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"));
    while (sizes.hasNext()) {
        icon.addFile(sizes.next());
    }
    return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The application name is also the window's X11 class, which the desktop entry's
    // StartupWMClass names; the desktop file name lets Wayland task bars find the entry.
    QApplication::setApplicationName("Quorvane");
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVANE_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    quorvane::Quorvane window;
    window.show();
    return QApplication::exec();
}
