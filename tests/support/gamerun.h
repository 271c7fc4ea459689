#pragma once

#include "gameconfig/catalogue.h"

#include <QMap>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The tests' own reading of how Doom 3 runs a .cfg file, kept apart from the program's reader so
// that it can judge it. The game reads the file into its 65,536-byte command buffer with a line
// end added, or, where it does not fit, runs none of it; the text ends at a NUL. It ends a
// command at a line end (LF or CR) and at `;` where the quotes before it are paired; it splits
// words at blanks, with ( ) , = - words of their own and a quoted text one word; `seta NAME ...`
// and `NAME ...` set NAME to the words after it joined by single blanks. At start-up the game
// module's settings are not commands yet.
namespace quenzar::testing {

struct GameRun
{
    QMap<QString, QString> settings;
    QStringList unknownCommands;
    bool bufferOverflow = false;
};

inline GameRun runLikeTheGame(QString cfg)
{
    using namespace quenzar::gameconfig;
    GameRun run;
    if (cfg.toUtf8().size() + 1 >= 65536) {
        run.bufferOverflow = true;
        return run;
    }
    if (const qsizetype nul = cfg.indexOf(QChar(0)); nul >= 0)
        cfg.truncate(nul);
    QStringList commands{QString()};
    bool quoted = false;
    for (QChar c : cfg) {
        if (c == u'\n' || c == u'\r' || (c == u';' && !quoted)) {
            commands << QString();
            quoted = false;
            continue;
        }
        quoted ^= c == u'"';
        commands.last() += c;
    }
    // A comment, a quoted text, a word of one character, or any other word.
    static const QRegularExpression word(u"//.*|\"([^\"]*)\"?|[(),=-]|[^\\s(),=\\-\"]+"_qs);
    for (const QString& command : commands) {
        QStringList words;
        for (const QRegularExpressionMatch& match : word.globalMatch(command)) {
            if (match.captured().startsWith(u"//"))
                break;
            words << (match.captured().startsWith(u'"') ? match.captured(1) : match.captured());
        }
        if (words.isEmpty())
            continue;
        const Setting* setting = findSetting(words[0]);
        if (QStringList{"set", "seta", "sets", "setu", "sett"}.contains(words[0].toLower()) &&
            words.size() > 1)
            run.settings[words[1]] = words.mid(2).join(u' ');
        else if (setting && !setting->registeredByGameOnly())
            run.settings[words[0]] = words.mid(1).join(u' ');
        else
            run.unknownCommands << words[0];
    }
    return run;
}

} // namespace quenzar::testing
