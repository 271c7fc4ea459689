// The program started straight on its main window, frmD3Tweak, with nothing else shown: the
// yardstick for opening the game setup window. Ended, like the program itself, by the preloaded
// idle hook.
#include "app/program.h"
#include "forms/formnames.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quenzar::Program program;
    program.forms().show(quenzar::formnames::frmD3Tweak);
    const int status = QApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
