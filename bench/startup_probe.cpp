// The program's start-up as main() runs it, ending once the welcome dialog is on screen and the
// event loop idle, so that a launcher can time it against minimal_probe.
#include "app/program.h"
#include "idle.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quenzar::Program program;
    quenzar::bench::quitWhenShownAndIdle(program.start());
    const int status = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
