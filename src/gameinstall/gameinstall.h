#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Putting the game-ready form where the game runs it at every start, and taking it away again:
// `quenzar.cfg` in each game folder and one `exec quenzar.cfg` line at the end of the
// autoexec.cfg that the game really runs.
namespace quenzar::gameinstall {

// Where to look, as plain data, so that a test can hand over a made-up home.
struct Environment
{
    enum class System
    {
        Linux,
        Windows
    };
    System system = System::Linux;
    QString home;
    QString xdgConfigHome, xdgDataHome; // empty: the defaults under home
    QString documents;                  // Windows: the player's Documents folder
    // Folders where Doom 3 is installed (each gets `base` appended). On Windows those the
    // registry names; on Linux where the game's own installer puts it.
    QStringList installations;
    QStringList steamRoots; // Windows: Steam's folder from the registry; Linux: from home

    static Environment current();
};

struct GameFolder
{
    unsigned build = 0; // a gameconfig::Build, or AllBuilds when unknown
    QString path;       // the folder quenzar.cfg goes into
    // Every folder the game runs files from, in the order it searches them (path among them).
    QStringList searched;
};

std::vector<GameFolder> findGameFolders(const Environment& environment);
// Every folder findGameFolders looks in, for the message when it finds none.
QStringList foldersLookedIn(const Environment& environment);
// A folder named by the player: it only has to exist, and its build is unknown.
GameFolder namedGameFolder(const QString& path);
// "Doom 3 for Linux", "dhewm3", ...; "unknown build" for a folder named by the player.
QString buildLabel(unsigned build);

// Steam's list of its libraries: the value of every "path" entry.
QStringList steamLibraryPaths(const QByteArray& libraryFoldersVdf);

// The autoexec.cfg install edits: the first one in the game's search order, which is the one
// the game runs; where the game has none, a new one beside DoomConfig.cfg. `existing` holds the
// autoexec.cfg files that exist.
QString autoexecToEdit(const GameFolder& game, const QStringList& existing);

// The text of autoexec.cfg with the line that runs quenzar.cfg at its end, once, and every
// byte of the player's lines kept.
QByteArray withExecLine(const QByteArray& autoexec);
// The text install started from: the line taken away (with the line end install had to add).
QByteArray withoutExecLine(const QByteArray& autoexec);
// An autoexec.cfg that install makes where the game has none.
QByteArray newAutoexec();
// Whether install made this autoexec.cfg: it begins with the line only install writes.
bool madeByInstall(const QByteArray& autoexec);
// What is left of an autoexec.cfg install made once its own lines are taken away.
QByteArray withoutInstallLines(const QByteArray& autoexec);

struct FolderOutcome
{
    QString folder;
    bool ok = false;
    QString message; // what was written where, or the path and the reason it failed
};

std::vector<FolderOutcome> install(QStringView tweak, const QString& source,
                                   const std::vector<GameFolder>& folders);
std::vector<FolderOutcome> uninstall(const std::vector<GameFolder>& folders);

} // namespace quenzar::gameinstall
