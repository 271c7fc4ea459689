#pragma once

#include "gameinstall/gameinstall.h"

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

// The game's folders and the install into them: the command line's own.
using gameinstall::Environment;
using gameinstall::FolderOutcome;
using gameinstall::GameFolder;

using gameinstall::buildLabel;
using gameinstall::findGameFolders;
using gameinstall::foldersLookedIn;
using gameinstall::install;
using gameinstall::namedGameFolder;
using gameinstall::uninstall;

} // namespace quenzar::gamesetup
