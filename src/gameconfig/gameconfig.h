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

struct GameConfig
{
    QString text;                      // the whole file
    std::vector<Assignment> settings;  // what it sets, named as the game spells them
    std::vector<ReadWarning> warnings; // what could not be read from the tweak
    QStringList leftOut;               // why each setting it does not set was left out
};

// `source` names the tweak in the file's first comment; `runName` is the name the file will be
// run by in the game, if known. `builds` (Build flags) are the builds the file is made for: a
// setting none of them has is left out.
GameConfig convertTweak(QStringView tweak, const QString& source, const QString& runName = {},
                        unsigned builds = AllBuilds);

} // namespace quenzar::gameconfig
