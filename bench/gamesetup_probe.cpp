// Two ways into the program, each ending once its window is on screen and the event loop idle
// (idle.h), so that a launcher can time one against the other:
//   quenzar-gamesetup-probe TWEAK   the game setup window with the tweak in TWEAK read, as
//                                   quenzar --game-setup TWEAK opens it;
//   quenzar-gamesetup-probe         the program's main window, shown straight away.
#include "app/program.h"
#include "forms/formnames.h"
#include "gamesetup/gamesetupwindow.h"
#include "gamesetup/setupdialogs.h"
#include "idle.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    int status = 0;
    if (arguments.size() > 1) {
        QGuiApplication::setWindowIcon(quenzar::programIcon());
        quenzar::gamesetup::QtSetupDialogs dialogs;
        quenzar::gamesetup::GameSetupWindow window(dialogs,
                                                   quenzar::gamesetup::Environment::current());
        window.openTweak(arguments.at(1));
        window.show();
        quenzar::bench::quitWhenShownAndIdle(&window);
        status = QApplication::exec();
    } else {
        quenzar::Program program;
        quenzar::bench::quitWhenShownAndIdle(program.forms().show(quenzar::formnames::frmD3Tweak));
        status = QApplication::exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return status;
}
