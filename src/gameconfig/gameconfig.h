#pragma once

#include "gameconfig/catalogue.h"
#include "gameconfig/reader.h"

#include <QString>
#include <QStringList>

#include <vector>

// The game-ready form of a tweak: what the game runs from a .cfg file one command per line,
// with every word of the line after a setting's name taken as its value. The one-line tweak
// sets only its first setting there, and to nonsense; this form sets each setting it names.
namespace quenzar::gameconfig {

// One setting the file sets.
struct SetSetting
{
    QString name;  // as the game spells it
    QString value; // as written to the file
    int line = 0;  // of the tweak's last assignment of it
    int column = 0;
    const Setting* setting = nullptr; // never null
};

struct GameConfig
{
    QString text;                      // the whole file, always under 65,536 bytes in UTF-8
    std::vector<SetSetting> settings;  // what it sets, in the tweak's order
    std::vector<ReadWarning> warnings; // what could not be read from the tweak
    QStringList leftOut;               // one sentence per setting left out, and why
};

// The most the file may take in UTF-8. The game reads a .cfg file into its 65,536-byte command
// buffer in one go (MAX_CMD_BUFFER), beside whatever the buffer already holds, such as the rest
// of the autoexec.cfg that runs it; a file that does not fit runs not at all.
inline constexpr qsizetype fileLimit = 60000;

// `source` names the tweak in the file's first comment; `runName` is the name the file will be
// run by in the game, if known. `builds` (Build flags) are the builds the file is made for: a
// setting none of them has is left out, and their own rules for values apply.
GameConfig convertTweak(QStringView tweak, const QString& source, const QString& runName = {},
                        unsigned builds = AllBuilds);

} // namespace quenzar::gameconfig
