#include <QApplication>

#include "window/Quorvane.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvane");
    quorvane::Quorvane window;
    window.show();
    return QApplication::exec();
}
