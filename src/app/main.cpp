#include "app/program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quenzar::Program program;
    program.start();
    const int status = QApplication::exec();
    // Forms that End set aside are destroyed before the program goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
