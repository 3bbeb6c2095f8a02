// The least a Qt Widgets window of the game's size costs: the floor the game is measured on.
#include "layout/window_layout.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    using namespace tessal::layout;
    QApplication app(argc, argv);
    QWidget window;
    window.resize(kClientWidth / kTwipsPerPixel, kClientHeight / kTwipsPerPixel);
    window.show();
    return app.exec();
}
