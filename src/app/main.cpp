#include "editor/frmEdit.h"
#include "platform/forms.h"
#include "platform/look.h"
#include "platform/qtdialogs.h"
#include "platform/shutdown/shutdown.h"
#include "tweak/frmD3Tweak.h"
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
    const quenzar::Services services{forms, dialogs, *shutdown};

    forms.define(quenzar::frmFirst::formName,
                 [services] { return new quenzar::frmFirst(services); });
    forms.define(quenzar::frmD3Tweak::formName,
                 [services] { return new quenzar::frmD3Tweak(services); });
    forms.define(quenzar::frmEdit::formName, [services] { return new quenzar::frmEdit(services); });

    forms.show(quenzar::frmFirst::formName);
    const int status = QApplication::exec();
    // Forms that End set aside are destroyed before the application goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
