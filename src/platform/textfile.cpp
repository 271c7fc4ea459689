#include "platform/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quenzar {

namespace {

// A device or pipe cannot be replaced by renaming a file over it; it is written in place.
std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        return reason;
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return std::nullopt;
}

} // namespace

std::optional<QString> writeFileWhole(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return QCoreApplication::translate("quenzar", "No file name was given.");

    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return writeInPlace(path, bytes);

    // Written beside the target under another name and renamed over it at the end, so a
    // failure half-way never leaves a half-written tweak. Where the folder takes no temporary
    // file but the target itself may be written, it is written directly.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace quenzar
