#include "gamesetup/gamefacts.h"

#include "gameconfig/catalogue.h"
#include "gameconfig/gameconfig.h"

#include <QCoreApplication>
#include <QDir>

namespace quenzar::gamesetup {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

} // namespace

Conversion convert(QStringView tweak, const QString& source, const QString& runName,
                   unsigned builds)
{
    gameconfig::GameConfig config = gameconfig::convertTweak(tweak, source, runName, builds);
    Conversion conversion{std::move(config.text), {}, {}};
    for (const gameconfig::Assignment& set : config.settings) {
        const gameconfig::Setting* setting = gameconfig::findSetting(set.name);
        // TODO(merge): the catalogue's own when-it-takes-effect and cheat facts.
        conversion.rows.push_back(
            {set.name, set.value,
             setting && setting->needsVidRestart ? tr("after vid_restart") : tr("at once"),
             setting && setting->archived, false});
    }
    for (const gameconfig::ReadWarning& warning : config.warnings)
        conversion.leftOut << tr("Line %1, column %2: %3")
                                  .arg(warning.line)
                                  .arg(warning.column)
                                  .arg(warning.message);
    conversion.leftOut << config.leftOut;
    return conversion;
}

unsigned allBuilds()
{
    return gameconfig::AllBuilds;
}

// TODO(merge): everything below comes from the command line's install.
Environment Environment::current()
{
    return {QDir::homePath(), {}, {}};
}

QString buildLabel(unsigned build)
{
    return build == gameconfig::AllBuilds ? tr("unknown build") : QString::number(build);
}

GameFolder namedGameFolder(const QString& path)
{
    return {gameconfig::AllBuilds, path, {path}};
}

std::vector<GameFolder> findGameFolders(const Environment&)
{
    return {};
}

QStringList foldersLookedIn(const Environment& environment)
{
    return {environment.home};
}

std::vector<FolderOutcome> install(QStringView, const QString&,
                                   const std::vector<GameFolder>& folders)
{
    std::vector<FolderOutcome> outcomes;
    for (const GameFolder& folder : folders)
        outcomes.push_back({folder.path, false, tr("%1: not installed").arg(folder.path)});
    return outcomes;
}

std::vector<FolderOutcome> uninstall(const std::vector<GameFolder>& folders)
{
    std::vector<FolderOutcome> outcomes;
    for (const GameFolder& folder : folders)
        outcomes.push_back({folder.path, false, tr("%1: not removed").arg(folder.path)});
    return outcomes;
}

} // namespace quenzar::gamesetup
