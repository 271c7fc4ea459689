#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quenzar {

// How the new file is held while it is written, before it takes the target's place.
enum class TemporaryFile
{
    UnnamedWherePossible, // nothing is left behind if the save is cut short (Linux O_TMPFILE)
    Named                 // a hidden file beside the target, as on file systems without that
};

// Writes `bytes` to the file at `path`, used exactly as given (a relative path is relative to
// the working directory). The file appears whole or not at all, and a file already there is
// either replaced whole or left exactly as it was. A save cut short leaves nothing behind where
// the new file can be unnamed; each save also clears the player's own leftovers of earlier saves
// of the same file that were cut short. Returns the operating system's reason when the write
// failed, nothing when it succeeded.
std::optional<QString>
writeFileWhole(const QString& path, const QByteArray& bytes,
               TemporaryFile temporary = TemporaryFile::UnnamedWherePossible);

} // namespace quenzar
