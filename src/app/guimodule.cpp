#include "app/guimodule.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>
#include <iterator>

#ifdef Q_OS_WIN
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace quenzar {

namespace {

// The folder of the running program, wherever it was started from.
QString programFolder(char* argv[])
{
#if defined(Q_OS_LINUX)
    Q_UNUSED(argv);
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
#elif defined(Q_OS_WIN)
    Q_UNUSED(argv);
    wchar_t path[32768];
    const DWORD size = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    return QFileInfo(QString::fromWCharArray(path, int(size))).absolutePath();
#else
    return QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
#endif
}

} // namespace

int runWindows(int& argc, char* argv[])
{
    using Entry = int (*)(int*, char**);
    const QDir folder(programFolder(argv));
    // Beside the program in the build folder, in its own library folder once installed.
    const QString candidates[] = {
        folder.filePath(QStringLiteral(QUENZAR_GUI_MODULE)),
        folder.filePath(QStringLiteral(QUENZAR_GUI_MODULE_FROM_BIN "/" QUENZAR_GUI_MODULE))};
    QString reason = QStringLiteral("%1 not found").arg(QDir::toNativeSeparators(candidates[1]));
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary module(path);
        if (const auto entry = reinterpret_cast<Entry>(module.resolve("quenzarRunWindows")))
            return entry(&argc, argv);
        reason = module.errorString();
        break;
    }
    std::fprintf(stderr, "quenzar: cannot load its windows: %s\n", qPrintable(reason));
    return 1;
}

} // namespace quenzar
