#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quenzar::gamesetup {

// With --game-setup among the program's arguments (Qt's own already taken out): the tweak file
// named with it, or the empty text; nothing when the usual windows should open. The command
// line has already refused anything else.
std::optional<QString> requestedSetup(const QStringList& arguments);

// Shows the game setup window, with the tweak in `tweakFile` if one is named, until it closes;
// returns the exit status. Needs the QApplication to exist already.
int runGameSetup(const QString& tweakFile);

} // namespace quenzar::gamesetup
