#include "gameconfig/gameconfig.h"

#include "gameconfig/catalogue.h"
#include "programversion.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>

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

// Every assignment of one setting, the last one counting.
struct Group
{
    const Setting* setting; // null for a name the catalogue does not hold
    std::vector<const Assignment*> assignments;

    const Assignment& last() const { return *assignments.back(); }
};

std::vector<Group> grouped(const std::vector<Assignment>& assignments)
{
    std::vector<Group> groups;
    groups.reserve(assignments.size());
    for (const Assignment& a : assignments) {
        const Setting* setting = findSetting(a.name);
        auto same = [&](const Group& g) {
            return setting ? g.setting == setting
                           : !g.setting && g.last().name.compare(a.name, Qt::CaseInsensitive) == 0;
        };
        auto group = std::find_if(groups.begin(), groups.end(), same);
        if (group == groups.end())
            groups.push_back({setting, {&a}});
        else
            group->assignments.push_back(&a);
    }
    return groups;
}

bool takes(const Setting& setting, const QString& value)
{
    switch (setting.type) {
    case Type::Bool:
        return value == u"0" || value == u"1";
    case Type::Int: {
        bool ok = false;
        const qlonglong number = isWholeNumber(value) ? value.toLongLong(&ok) : 0;
        const Range range = setting.range.bounded ? setting.range : Range{INT_MIN, INT_MAX, true};
        return ok && number >= range.minimum && number <= range.maximum;
    }
    case Type::String:
        if (!setting.words.empty())
            return std::find(setting.words.begin(), setting.words.end(), value) !=
                   setting.words.end();
        return !setting.takesNumber() || isNumber(value);
    }
    return false;
}

QString accepted(const Setting& setting)
{
    if (setting.type == Type::Bool)
        return tr("0 or 1");
    if (setting.type == Type::Int && setting.range.bounded)
        return tr("a whole number from %1 to %2")
            .arg(setting.range.minimum)
            .arg(setting.range.maximum);
    if (setting.type == Type::Int)
        return tr("a whole number");
    if (!setting.words.empty()) {
        QStringList words;
        for (QStringView word : setting.words)
            words << word.toString();
        return listed(words, tr("or"));
    }
    return tr("a number");
}

QString buildsOf(unsigned builds)
{
    QStringList names;
    if (builds & Win32)
        names << tr("Windows");
    if (builds & Linux)
        names << tr("Linux");
    if (builds & Dhewm3)
        names << QStringLiteral("dhewm3");
    return names.size() == 1 ? tr("the %1 build").arg(names.first())
                             : tr("the %1 builds").arg(listed(names, tr("and")));
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

class Writer
{
public:
    Writer(const QString& source, const QString& runName, unsigned builds) : m_builds(builds)
    {
        m_config.text.reserve(4096);
        const QString run =
            runName.isEmpty()
                ? tr("Run them with exec and this file's name, in the console or "
                     "from autoexec.cfg.")
                : tr("Run them with exec %1 in the console or from autoexec.cfg.").arg(runName);
        comment(tr("Doom 3 settings from %1, written by Quenzar %2. %3")
                    .arg(source, programVersion, run));
    }

    void add(const Group& group)
    {
        const Assignment& last = group.last();
        dropped(group);
        if (!group.setting)
            leaveOut(last, unknownName(last.name));
        else if (!(group.setting->builds & m_builds))
            leaveOut(last, tr("it is not a setting of %1").arg(buildsOf(m_builds)));
        else if (!takes(*group.setting, last.value))
            leaveOut(last, tr("the game takes only %1").arg(accepted(*group.setting)));
        else
            set(*group.setting, last);
    }

    GameConfig finish()
    {
        if (m_restart.isEmpty())
            comment(tr("None of these settings waits for vid_restart."));
        else
            comment(tr("In a running game these take effect only after vid_restart: %1")
                        .arg(m_restart.join(u", ")));
        return std::move(m_config);
    }

private:
    void comment(const QString& text)
    {
        m_config.text += QStringLiteral("// ") + safeForComment(text) + u'\n';
    }

    void dropped(const Group& group)
    {
        QStringList earlier;
        for (const Assignment* a : group.assignments)
            if (a->value != group.last().value && !earlier.contains(a->value))
                earlier << a->value;
        if (earlier.size() == 1)
            comment(tr("%1: the earlier value %2 is dropped, the last one counts")
                        .arg(group.last().name, earlier.first()));
        else if (!earlier.isEmpty())
            comment(tr("%1: the earlier values %2 are dropped, the last one counts")
                        .arg(group.last().name, listed(earlier, tr("and"))));
    }

    static QString unknownName(const QString& name)
    {
        QString reason = noBuildHas(name)
                             ? tr("no build of Doom 3 has %1").arg(name)
                             : tr("%1 is not among the Doom 3 settings Quenzar knows").arg(name);
        if (const Setting* near = settingOneLetterAway(name))
            reason += tr(". Did you mean %1?").arg(near->name);
        return reason;
    }

    void leaveOut(const Assignment& a, const QString& reason)
    {
        const QString sentence = tr("%1 (%2) is left out: %3").arg(a.name, a.value, reason);
        m_config.leftOut << safeForComment(sentence);
        comment(sentence);
    }

    void set(const Setting& setting, const Assignment& last)
    {
        const QString& value = last.value;
        const QString name = setting.name.toString();
        if ((setting.builds & m_builds) != m_builds)
            comment(tr("%1 is a setting of %2 only").arg(name, buildsOf(setting.builds)));
        // seta for every setting, as the game's own DoomConfig.cfg has it. The game module
        // registers its settings (g_fov, g_showBrass, ...) only after default.cfg,
        // DoomConfig.cfg and autoexec.cfg have run, so at start-up a line that begins with such
        // a name is an unknown command. seta needs no registered setting: it makes one with
        // this value, and the module takes that value when it registers the setting.
        m_config.text +=
            QStringLiteral("seta ") + name + QStringLiteral(" \"") + value + QStringLiteral("\"\n");
        m_config.settings.push_back({name, value, last.line, last.column});
        if (setting.needsVidRestart)
            m_restart << name;
    }

    unsigned m_builds;
    GameConfig m_config;
    QStringList m_restart;
};

} // namespace

GameConfig convertTweak(QStringView tweak, const QString& source, const QString& runName,
                        unsigned builds)
{
    ReadTweak read = readTweak(tweak);
    Writer writer(source, runName, builds);
    for (const Group& group : grouped(read.assignments))
        writer.add(group);
    GameConfig config = writer.finish();
    config.warnings = std::move(read.warnings);
    return config;
}

} // namespace quenzar::gameconfig
