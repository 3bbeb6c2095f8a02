// The least a Qt Widgets window of the game's size costs: the floor the game is measured on.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(851, 520);
    window.show();
    return app.exec();
}
