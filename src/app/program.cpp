#include "app/program.h"

#include "app/registerforms.h"
#include "forms/formnames.h"
#include "forms/look.h"
#include "programversion.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QResource>

namespace quenzar {

// Each size is a square of raw pixels.
QIcon programIcon()
{
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/windowicon"), QDir::Files);
    while (sizes.hasNext()) {
        const QResource pixels(sizes.next());
        const QByteArray data = pixels.uncompressedData();
        const int size = QFileInfo(pixels.fileName()).baseName().toInt();
        if (size <= 0 || data.size() != qsizetype(size) * size * 4)
            continue;
        const QImage picture(reinterpret_cast<const uchar*>(data.constData()), size, size,
                             QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(picture.copy()));
    }
    return icon;
}

Program::Program() : m_shutdown(createSystemShutdown()), m_forms([] { QCoreApplication::exit(0); })
{
    QApplication::setApplicationName(QStringLiteral("Quenzar"));
    QApplication::setApplicationVersion(programVersion.toString());
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.quenzar.Quenzar"));
    // Window managers that do not look the entry up show this one on every window.
    QGuiApplication::setWindowIcon(programIcon());
    installFontSubstitutes();
    registerForms({m_forms, m_dialogs, *m_shutdown});
}

QWidget* Program::start()
{
    return m_forms.show(formnames::frmFirst);
}

} // namespace quenzar
