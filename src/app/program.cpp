#include "app/program.h"

#include "app/forms.h"
#include "platform/look.h"
#include "welcome/frmFirst.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>

namespace quenzar {

namespace {

// The program's own icon at every size it was drawn in.
QIcon programIcon()
{
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/windowicon"), QDir::Files);
    while (sizes.hasNext()) {
        const QString file = sizes.next();
        const int size = QFileInfo(file).baseName().toInt();
        icon.addFile(file, QSize(size, size));
    }
    return icon;
}

} // namespace

Program::Program() : m_shutdown(createSystemShutdown()), m_forms([] { QCoreApplication::exit(0); })
{
    QApplication::setApplicationName(QStringLiteral("Quenzar"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.quenzar.Quenzar"));
    // Window managers that do not look the entry up show this one on every window.
    QGuiApplication::setWindowIcon(programIcon());
    installFontSubstitutes();
    defineForms({m_forms, m_dialogs, *m_shutdown});
}

QWidget* Program::start()
{
    return m_forms.show(frmFirst::formName);
}

} // namespace quenzar
