#include "gamesetup/gamefacts.h"

#include "gameconfig/catalogue.h"
#include "gameconfig/gameconfig.h"

#include <QCoreApplication>

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
    for (const gameconfig::SetSetting& set : config.settings)
        conversion.rows.push_back({set.name, set.value, gameconfig::whenItTakesEffect(*set.setting),
                                   set.setting->archived(builds),
                                   set.setting->cheatInMultiplayer(builds)});
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

} // namespace quenzar::gamesetup
