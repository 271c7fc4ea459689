// The yardstick for start-up: the smallest Qt Widgets program that shows one empty window the
// way the program shows its welcome dialog, and ends the same way startup_probe does.
#include "idle.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    window.activateWindow();
    quenzar::bench::quitWhenShownAndIdle(&window);
    const int status = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
