// The windows, in a module of their own that the program loads only when it opens them: the
// command line then starts with Qt Core alone.
#include "app/program.h"

#include <QApplication>

extern "C" Q_DECL_EXPORT int quenzarRunWindows(int* argc, char** argv)
{
    QApplication app(*argc, argv);
    quenzar::Program program;
    program.start();
    const int status = QApplication::exec();
    // Forms that End set aside are destroyed before the program goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
