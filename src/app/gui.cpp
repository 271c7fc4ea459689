// The windows, in a module of their own that the program loads only when it opens them: the
// command line then starts with Qt Core alone.
#include "app/program.h"
#include "gamesetup/gamesetup.h"

#include <QApplication>
#include <QIcon>

extern "C" Q_DECL_EXPORT int quenzarRunWindows(int* argc, char** argv)
{
    QApplication app(*argc, argv);
    if (const auto tweak = quenzar::gamesetup::requestedSetup(QCoreApplication::arguments())) {
        QGuiApplication::setWindowIcon(quenzar::programIcon());
        return quenzar::gamesetup::runGameSetup(*tweak);
    }
    quenzar::Program program;
    program.start();
    const int status = QApplication::exec();
    // Forms that End set aside are destroyed before the program goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
