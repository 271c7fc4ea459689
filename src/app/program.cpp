#include "app/program.h"

#include "app/forms.h"
#include "platform/look.h"
#include "welcome/frmFirst.h"

#include <QApplication>

namespace quenzar {

Program::Program() : m_shutdown(createSystemShutdown()), m_forms([] { QCoreApplication::exit(0); })
{
    QApplication::setApplicationName(QStringLiteral("Quenzar"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.quenzar.Quenzar"));
    installFontSubstitutes();
    defineForms({m_forms, m_dialogs, *m_shutdown});
}

QWidget* Program::start()
{
    return m_forms.show(frmFirst::formName);
}

} // namespace quenzar
