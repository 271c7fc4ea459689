#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// What the window shows and does, taken from the command line's converter, catalogue and
// install, in the window's terms: the one place that knows their shapes.
namespace quenzar::gamesetup {

// One setting the game will set, with what the catalogue says of it.
struct SettingRow
{
    QString name; // as the game spells it
    QString value;
    QString takesEffect; // "at once", "after vid_restart", ...
    bool kept = false;   // the game writes it back to DoomConfig.cfg
    bool cheat = false;  // reset and locked in a multiplayer game
};

struct Conversion
{
    QString text; // the game-ready file
    std::vector<SettingRow> rows;
    QStringList leftOut; // what could not be read, then each setting left out and why
};

// `builds`: the game's builds the file is made for, as Build flags.
Conversion convert(QStringView tweak, const QString& source, const QString& runName,
                   unsigned builds);

unsigned allBuilds();

// Where the game's files are looked for: the player's home and desktop folders.
struct Environment
{
    QString home;
    QString xdgConfigHome, xdgDataHome; // empty: the defaults under home
    static Environment current();
};

struct GameFolder
{
    unsigned build = 0; // a Build flag, or all of them when not known
    QString path;       // the folder quenzar.cfg goes into
    QStringList searched;
};

// What install or remove did in one folder: what was written where, or the path and the reason.
struct FolderOutcome
{
    QString folder;
    bool ok = false;
    QString message;
};

// "Doom 3 for Linux", "dhewm3", ...
QString buildLabel(unsigned build);
std::vector<GameFolder> findGameFolders(const Environment& environment);
QStringList foldersLookedIn(const Environment& environment);
// A folder the player names: its build is not known.
GameFolder namedGameFolder(const QString& path);
std::vector<FolderOutcome> install(QStringView tweak, const QString& source,
                                   const std::vector<GameFolder>& folders);
std::vector<FolderOutcome> uninstall(const std::vector<GameFolder>& folders);

} // namespace quenzar::gamesetup
