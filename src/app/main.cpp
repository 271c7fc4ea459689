#include "app/forms.h"
#include "platform/forms.h"
#include "platform/look.h"
#include "platform/qtdialogs.h"
#include "platform/shutdown/shutdown.h"
#include "welcome/frmFirst.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenzar"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.quenzar.Quenzar"));
    quenzar::installFontSubstitutes();

    quenzar::QtDialogs dialogs;
    const auto shutdown = quenzar::createSystemShutdown();
    quenzar::Forms forms([] { QCoreApplication::exit(0); });
    quenzar::defineForms({forms, dialogs, *shutdown});

    forms.show(quenzar::frmFirst::formName);
    const int status = QApplication::exec();
    // Forms that End set aside are destroyed before the application goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
