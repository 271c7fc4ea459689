#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quenzar {

// Writes `bytes` to the file at `path`, used exactly as given (a relative path is relative to
// the working directory). The file appears whole or not at all, and a file already there is
// either replaced whole or left exactly as it was. Returns the operating system's reason when
// the write failed, nothing when it succeeded.
std::optional<QString> writeFileWhole(const QString& path, const QByteArray& bytes);

} // namespace quenzar
