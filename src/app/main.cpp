#include "app/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Ties the window to its menu entry: the X11 class that StartupWMClass names, whatever
    // the binary is called, and the Wayland app id, so docks show its icon and can pin it.
    QApplication::setApplicationName(QStringLiteral("tessal"));
    QApplication::setDesktopFileName(QStringLiteral(TESSAL_APP_ID));
    tessal::MainWindow window;
    window.show();
    return app.exec();
}
