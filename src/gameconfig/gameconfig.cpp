#include "gameconfig/gameconfig.h"

#include "gameconfig/catalogue.h"
#include "programversion.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>

namespace quenzar::gameconfig {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

// "a, b and c"
QString listed(const QStringList& items, const QString& lastJoin)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.first(items.size() - 1).join(u", ") + u' ' + lastJoin + u' ' + items.last();
}

QString counted(qsizetype n)
{
    return QLocale(QLocale::English).toString(n);
}

qsizetype utf8Size(QStringView text)
{
    qsizetype size = 0;
    for (QChar c : text)
        size += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 || c.isSurrogate() ? 2 : 3;
    return size;
}

// A value as a comment shows it: long ones cut short.
QString shown(const QString& value)
{
    constexpr qsizetype longest = 40;
    return value.size() <= longest ? value : value.first(longest) + QStringLiteral("...");
}

// The game ends a command at `;` and at a line end even inside a comment, and a quote changes
// where `;` ends one: a comment holds none of them.
QString safeForComment(QString text)
{
    for (QChar& c : text) {
        if (c == u';')
            c = u',';
        else if (c == u'"')
            c = u'\'';
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f ||
                 (c.unicode() > 0x7f &&
                  (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
                   c == QChar::ParagraphSeparator)))
            c = u'?';
    }
    return text;
}

QString commentLine(const QString& text)
{
    return QStringLiteral("// ") + safeForComment(text) + u'\n';
}

// Every assignment of one setting, the last one counting.
struct Group
{
    const Setting* setting; // null for a name no build has
    std::vector<const Assignment*> assignments;

    const Assignment& last() const { return *assignments.back(); }
};

std::vector<Group> grouped(const std::vector<Assignment>& assignments)
{
    std::vector<Group> groups;
    // A known setting's group by its place in the catalogue, another name's by its letters;
    // each holds the group's index plus one, 0 before its first assignment.
    std::vector<std::size_t> known(allSettings().size());
    QHash<QString, std::size_t> unknown;
    for (const Assignment& a : assignments) {
        std::size_t& group = a.setting ? known[std::size_t(a.setting - allSettings().data())]
                                       : unknown[a.name.toLower()];
        if (!group) {
            groups.push_back({a.setting, {}});
            group = groups.size();
        }
        groups[group - 1].assignments.push_back(&a);
    }
    return groups;
}

bool inRange(const Range& range, double number)
{
    return !range.bounded || (number >= range.minimum && number <= range.maximum);
}

// Reads the number only where there is a range to check it against.
bool inRange(const Range& range, const QString& value)
{
    return !range.bounded || inRange(range, value.toDouble());
}

// The value as the build takes it as meant, in the engine's spelling; nothing where the build
// would store something else.
std::optional<QString> taken(const Declaration& d, const QString& value)
{
    switch (d.type) {
    case Type::Bool:
        if (value == u"0" || value == u"1")
            return value;
        return std::nullopt;
    case Type::Int: {
        bool ok = false;
        const qlonglong number = isWholeNumber(value) ? value.toLongLong(&ok) : 0;
        if (ok && number >= INT_MIN && number <= INT_MAX && inRange(d.range, double(number)))
            return value;
        return std::nullopt;
    }
    case Type::Float:
        if (isNumber(value) && inRange(d.range, value))
            return value;
        return std::nullopt;
    case Type::String:
        if (!d.words.empty()) {
            for (QStringView word : d.words)
                if (word.compare(value, Qt::CaseInsensitive) == 0)
                    return word.toString();
            return std::nullopt;
        }
        if (d.takesNumber() && !(isNumber(value) && inRange(d.range, value)))
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

// C's atof and atoi over the start of the text, as the engine reads a number.
double leadingNumber(const QString& value)
{
    qsizetype i = 0;
    while (i < value.size() && value[i].unicode() <= u' ')
        ++i;
    qsizetype end = i;
    if (end < value.size() && (value[end] == u'-' || value[end] == u'+'))
        ++end;
    while (end < value.size() && ((value[end] >= u'0' && value[end] <= u'9') || value[end] == u'.'))
        ++end;
    const double number = value.sliced(i, end - i).toDouble();
    return std::isfinite(number) ? number : 0;
}

double clamped(const Range& range, double number)
{
    return range.bounded ? std::clamp(number, range.minimum, range.maximum) : number;
}

// What the build stores for a value it does not take as meant (idInternalCVar::UpdateValue).
QString stored(const Declaration& d, const QString& value)
{
    switch (d.type) {
    case Type::Bool:
        return std::trunc(leadingNumber(value)) != 0 ? QStringLiteral("1") : QStringLiteral("0");
    case Type::Int:
        return QString::number(qlonglong(clamped(d.range, std::trunc(leadingNumber(value)))));
    case Type::Float:
        return QString::number(clamped(d.range, leadingNumber(value)));
    case Type::String:
        return d.words.empty() ? value : d.words.front().toString();
    }
    return value;
}

QString number(double n)
{
    return QString::number(n);
}

QString accepted(const Declaration& d)
{
    switch (d.type) {
    case Type::Bool:
        return tr("0 or 1");
    case Type::Int:
        return d.range.bounded ? tr("a whole number from %1 to %2")
                                     .arg(number(d.range.minimum), number(d.range.maximum))
                               : tr("a whole number");
    case Type::Float:
        return d.range.bounded ? tr("a number from %1 to %2")
                                     .arg(number(d.range.minimum), number(d.range.maximum))
                               : tr("a number");
    case Type::String:
        break;
    }
    if (!d.words.empty()) {
        QStringList words;
        for (QStringView word : d.words)
            words << word.toString();
        return listed(words, tr("or"));
    }
    return d.range.bounded
               ? tr("a number from %1 to %2").arg(number(d.range.minimum), number(d.range.maximum))
               : tr("a number");
}

// The builds of `builds` grouped by what they take: (builds, description).
std::vector<std::pair<unsigned, QString>> acceptedBy(const Setting& setting, unsigned builds)
{
    std::vector<std::pair<unsigned, QString>> groups;
    for (Build b : eachBuild()) {
        if (!(b & builds))
            continue;
        const QString description = accepted(setting.in(b));
        auto same = std::find_if(groups.begin(), groups.end(),
                                 [&](const auto& g) { return g.second == description; });
        if (same == groups.end())
            groups.emplace_back(b, description);
        else
            same->first |= b;
    }
    return groups;
}

// The settings whose values the game picks itself on its very first start
// (Com_ExecMachineSpec_f runs after the start-up files when config.spec is missing).
bool machineSpec(const Setting& s)
{
    return s.name.startsWith(u"image_") || s.name == u"r_mode" || s.name == u"r_multiSamples" ||
           s.name == u"com_videoRam";
}

// A name exec finds as it is written: one name token of the engine's lexer.
bool plainName(const QString& name)
{
    const auto nameChar = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               QStringView(u"_/\\:.").contains(c);
    };
    return !name.isEmpty() && !name[0].isDigit() && name[0] != u':' &&
           std::all_of(name.begin(), name.end(), nameChar);
}

QString runAdvice(const QString& runName)
{
    if (runName.isEmpty())
        return tr("Run them with exec and this file's name, in the console or from autoexec.cfg.");
    // A name with ; or a line end would be another name in the comment.
    const bool shownAsIs = safeForComment(runName) == runName;
    const QString name = shownAsIs ? runName : tr("this file");
    // exec adds .cfg to a name without a point, so it would run another file.
    if (!runName.contains(u'.'))
        return tr("The game can only run a file whose name has an extension such as .cfg, so "
                  "rename %1 to run it with exec.")
            .arg(name);
    if (plainName(runName))
        return tr("Run them with exec %1 in the console or from autoexec.cfg.").arg(runName);
    if (shownAsIs && !runName.contains(u'\''))
        return tr("Run them with exec '%1' in the console or from autoexec.cfg.").arg(runName);
    return tr("The game cannot run %1 with exec: rename it, to quenzar.cfg for example.").arg(name);
}

// A list of names under a title, as short comment lines.
QString factLines(const QString& title, const QStringList& names)
{
    if (names.isEmpty())
        return {};
    QString text = commentLine(title);
    QString line;
    for (const QString& name : names) {
        if (!line.isEmpty() && line.size() + name.size() > 94) {
            text += commentLine(QStringLiteral("  ") + line + u',');
            line.clear();
        }
        line += line.isEmpty() ? name : QStringLiteral(", ") + name;
    }
    return text + commentLine(QStringLiteral("  ") + line);
}

// One setting of the tweak, as the file will tell of it.
struct Item
{
    QStringList notes;   // comments before its line
    QString setLine;     // the seta line, empty where it is left out
    QString leftOutLine; // why it is left out, as a comment
    SetSetting set;
};

class Writer
{
public:
    Writer(const QString& source, const QString& runName, unsigned builds,
           const std::vector<ReadWarning>& warnings)
        : m_builds(builds)
    {
        m_header = commentLine(tr("Doom 3 settings from %1, written by Quenzar %2. %3")
                                   .arg(shown(source), programVersion, runAdvice(runName)));
        if (warnings.empty())
            return;
        // What the reader skipped, told once: the player may have meant something there.
        const ReadWarning& first = warnings.front();
        QString message = first.message;
        if (message.size() > 120)
            message = message.first(120) + QStringLiteral("...");
        const QString where = QString::number(first.line), column = QString::number(first.column);
        m_header += commentLine(
            warnings.size() == 1
                ? tr("One part of the tweak could not be read and is skipped: line %1, column "
                     "%2, %3")
                      .arg(where, column, message)
                : tr("%1 parts of the tweak could not be read and are skipped, the first at "
                     "line %2, column %3, %4")
                      .arg(counted(qsizetype(warnings.size())), where, column, message));
    }

    void reserve(std::size_t groups)
    {
        m_items.reserve(groups);
        m_config.settings.reserve(groups);
    }

    void add(const Group& group)
    {
        Item item;
        const Assignment& last = group.last();
        droppedNote(group, item);
        if (!group.setting) {
            unknown(last, item);
        } else {
            const Setting& setting = *group.setting;
            const unsigned builds = setting.builds & m_builds;
            if (!builds)
                leaveOut(item, last, tr("it is not a setting of %1").arg(buildName(m_builds)));
            else
                decide(setting, builds, last, item);
        }
        m_items.push_back(std::move(item));
    }

    GameConfig finish()
    {
        qsizetype size = utf8Size(m_header) + summaryRoom;
        // Settings first, with room for each to be named in the lists at the end.
        QStringList tooBig;
        for (Item& item : m_items) {
            if (item.setLine.isEmpty())
                continue;
            // Its name stands again in each list at the end that names it, with a comma and a
            // blank, and a little more for the lines those lists wrap onto.
            const qsizetype inLists = listsNaming(*item.set.setting);
            const qsizetype listed = item.set.name.size() + 2;
            const qsizetype cost = utf8Size(item.setLine) + inLists * (listed + listed / 8 + 1);
            if (size + cost > fileLimit) {
                tooBig << item.set.name;
                m_config.leftOut << tr("%1 is left out: the file would not fit into what the "
                                       "game reads at once")
                                        .arg(item.set.name);
                item = Item{};
                continue;
            }
            size += cost;
            m_config.settings.push_back(item.set);
        }
        const QString facts = factsText();
        // Then the notes, in order, as far as they fit.
        size = utf8Size(m_header) + utf8Size(facts) + summaryRoom;
        for (const Item& item : m_items)
            size += utf8Size(item.setLine);
        qsizetype notesLeftOut = 0;
        QString body;
        body.reserve(size);
        for (const Item& item : m_items) {
            for (const QString& note : item.notes)
                keep(note, body, size, notesLeftOut);
            keep(item.leftOutLine, body, size, notesLeftOut);
            body += item.setLine;
        }
        m_config.text = m_header + body;
        if (m_unknown > unknownShown)
            m_config.text +=
                commentLine(tr("%1 more names that no build of the game has are left out")
                                .arg(counted(m_unknown - unknownShown)));
        if (!tooBig.isEmpty())
            m_config.text += commentLine(tr("%1 more settings are left out: the file would not fit "
                                            "into the 64 KB the game reads at once")
                                             .arg(counted(tooBig.size())));
        if (notesLeftOut)
            m_config.text += commentLine(tr("%1 more notes are left out to keep this file within "
                                            "what the game reads at once")
                                             .arg(counted(notesLeftOut)));
        m_config.text += facts;
        return std::move(m_config);
    }

private:
    static constexpr qsizetype unknownShown = 5;
    // Room for the summary lines at the end and the titles of the lists.
    static constexpr qsizetype summaryRoom = 1500;

    // How many of the lists at the end name the setting.
    qsizetype listsNaming(const Setting& setting) const
    {
        return (setting.restart != Restart::None) + !setting.archived(m_builds) +
               setting.cheatInMultiplayer(m_builds) + setting.doesNothing();
    }

    static void keep(const QString& line, QString& body, qsizetype& size, qsizetype& leftOut)
    {
        if (line.isEmpty())
            return;
        const qsizetype cost = utf8Size(line);
        if (leftOut || size + cost > fileLimit) {
            ++leftOut;
            return;
        }
        size += cost;
        body += line;
    }

    void droppedNote(const Group& group, Item& item)
    {
        const QString& last = group.last().value;
        QStringList earlier;
        qsizetype differing = 0;
        for (const Assignment* a : group.assignments) {
            if (a->value == last)
                continue;
            ++differing;
            if (earlier.size() <= 3 && !earlier.contains(shown(a->value)))
                earlier << shown(a->value);
        }
        const QString name = group.setting ? group.setting->name.toString() : group.last().name;
        if (earlier.size() == 1)
            item.notes << commentLine(tr("%1: the earlier value %2 is dropped, the last one counts")
                                          .arg(name, earlier[0]));
        else if (earlier.size() <= 3 && !earlier.isEmpty())
            item.notes << commentLine(
                tr("%1: the earlier values %2 are dropped, the last one counts")
                    .arg(name, listed(earlier, tr("and"))));
        else if (!earlier.isEmpty())
            item.notes << commentLine(tr("%1 earlier values of %2 are dropped, the last one counts")
                                          .arg(counted(differing), name));
    }

    void unknown(const Assignment& a, Item& item)
    {
        QString reason = noBuildHas(a.name)
                             ? tr("no build of Doom 3 has %1").arg(a.name)
                             : tr("%1 is not a setting of Doom 3 or dhewm3").arg(a.name);
        // Only the first few are named, and only those are worth the search for a near name.
        if (m_unknown++ >= unknownShown) {
            m_config.leftOut << safeForComment(
                tr("%1 (%2) is left out: %3").arg(a.name, shown(a.value), reason));
            return;
        }
        if (const Setting* near = settingOneLetterAway(a.name))
            reason += tr(". Did you mean %1?").arg(near->name);
        leaveOut(item, a, reason);
    }

    void leaveOut(Item& item, const Assignment& a, const QString& reason)
    {
        const QString sentence =
            safeForComment(tr("%1 (%2) is left out: %3").arg(a.name, shown(a.value), reason));
        m_config.leftOut << sentence;
        item.leftOutLine = commentLine(sentence);
    }

    void decide(const Setting& setting, unsigned builds, const Assignment& last, Item& item)
    {
        const QString name = setting.name.toString();
        std::optional<QString> value;
        unsigned takenBy = 0;
        for (Build b : eachBuild())
            if (b & builds)
                if (std::optional<QString> v = taken(setting.in(b), last.value)) {
                    takenBy |= b;
                    if (!value)
                        value = v;
                }
        if (!value) {
            QStringList parts;
            const auto groups = acceptedBy(setting, builds);
            for (const auto& [groupBuilds, description] : groups)
                parts << (groups.size() == 1 && builds == (setting.builds & AllBuilds)
                              ? tr("the game takes only %1").arg(description)
                              : tr("%1 takes only %2").arg(buildName(groupBuilds), description));
            leaveOut(item, last, parts.join(u", "));
            return;
        }
        // The game reads a command of at most 2048 bytes, each word with one byte more
        // (idCmdArgs::TokenizeString): longer, and the value is cut off.
        if (utf8Size(*value) + 7 + utf8Size(name) > 2048) {
            leaveOut(item, last, tr("the game reads no value that long from a file"));
            return;
        }
        // Within double quotes a value cannot hold one, and the game ends its file at a NUL.
        if (value->contains(u'"') || value->contains(QChar(0))) {
            leaveOut(item, last, tr("a file cannot give the game a value with a double quote"));
            return;
        }
        if (builds != m_builds)
            item.notes << commentLine(
                tr("%1 is a setting of %2 only").arg(name, buildName(builds)));
        for (const auto& [other, description] : acceptedBy(setting, builds & ~takenBy))
            item.notes << commentLine(
                tr("%1 %2: %3 would store %4 (only %5 there)")
                    .arg(name, shown(*value), buildName(other),
                         shown(stored(setting.in(Build(other & -other)), *value)), description));
        // seta for every setting, as the game's own DoomConfig.cfg has it. The game module
        // registers its settings (g_fov, g_showBrass, ...) only after default.cfg,
        // DoomConfig.cfg and autoexec.cfg have run, so at start-up a line that begins with such
        // a name is an unknown command. seta needs no registered setting: it makes one with
        // this value, and the module takes that value when it registers the setting.
        item.setLine = QStringLiteral("seta ") + name + QStringLiteral(" \"") + *value +
                       QStringLiteral("\"\n");
        item.set = {name, *value, last.line, last.column, &setting};
    }

    QString factsText() const
    {
        QStringList vid, sound, map, start, notKept, cheats, nothing;
        bool showDynamic = false, firstStart = false;
        for (const SetSetting& s : m_config.settings) {
            const Setting& setting = *s.setting;
            switch (setting.restart) {
            case Restart::None:
                break;
            case Restart::VidRestart:
                vid << s.name;
                break;
            case Restart::SoundRestart:
                sound << s.name;
                break;
            case Restart::NewMap:
                map << s.name;
                break;
            case Restart::GameStart:
                start << s.name;
                break;
            }
            if (!setting.archived(m_builds))
                notKept << s.name;
            if (setting.cheatInMultiplayer(m_builds))
                cheats << s.name;
            if (setting.doesNothing())
                nothing << s.name;
            showDynamic |= s.name == u"r_showDynamic" && s.value != u"0";
            firstStart |= machineSpec(setting);
        }
        QString text;
        text += factLines(tr("Wait for vid_restart in a running game:"), vid);
        text += factLines(tr("Wait for s_restart in a running game:"), sound);
        text += factLines(tr("Wait for the next map:"), map);
        text += factLines(tr("Wait for the next start of the game:"), start);
        text += factLines(tr("Not kept by the game: lost at its next start unless run from "
                             "autoexec.cfg:"),
                          notKept);
        text += factLines(tr("Cheats in multiplayer: put back to their defaults when you join or "
                             "start one, and locked there:"),
                          cheats);
        text +=
            factLines(tr("Never acted on by the game, so setting them changes nothing:"), nothing);
        if (showDynamic)
            text += commentLine(tr("r_showDynamic 1 prints a line in the console every frame."));
        if (firstStart) {
            text += commentLine(tr("On its very first start, before it has written config.spec,"));
            // dhewm3 has no com_videoRam to pick.
            text += commentLine(
                m_builds & (Win32 | Linux)
                    ? tr("the game picks its own image_*, r_mode, r_multiSamples and com_videoRam")
                    : tr("the game picks its own image_*, r_mode and r_multiSamples"));
            text += commentLine(tr("after the start-up files ran: start the game once before "
                                   "using this file."));
        }
        return text;
    }

    unsigned m_builds;
    QString m_header;
    std::vector<Item> m_items;
    qsizetype m_unknown = 0;
    GameConfig m_config;
};

} // namespace

GameConfig convertTweak(QStringView tweak, const QString& source, const QString& runName,
                        unsigned builds)
{
    ReadTweak read = readTweak(tweak);
    Writer writer(source, runName, builds, read.warnings);
    const std::vector<Group> groups = grouped(read.assignments);
    writer.reserve(groups.size());
    for (const Group& group : groups)
        writer.add(group);
    GameConfig config = writer.finish();
    config.warnings = std::move(read.warnings);
    return config;
}

} // namespace quenzar::gameconfig
