#include "gameconfig/catalogue.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>

namespace quenzar::gameconfig {

namespace {

#include "doom3_cvars.inc"

constexpr std::array<QStringView, 3> namesNoBuildHas{u"r_useGL2", u"r_geominstancing",
                                                     u"mage_downSizeSpecular"};

constexpr std::array<Build, 3> buildOrder{Win32, Linux, Dhewm3};

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

// The engine compares names with idStr::Icmp: ASCII letters without regard to case.
char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
}

int compareFolded(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = folded(a[i]), y = folded(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// True when one name is the other with a letter added, or, at equal lengths, one changed.
bool oneLetterApart(QStringView a, QStringView b)
{
    if (a.size() < b.size())
        std::swap(a, b);
    if (a.size() - b.size() > 1)
        return false;
    qsizetype i = 0;
    while (i < b.size() && folded(a[i]) == folded(b[i]))
        ++i;
    if (i == b.size())
        return a.size() != b.size();
    // Past the first difference the rest must match, shifted by one where a letter was added.
    const qsizetype skipA = 1, skipB = a.size() == b.size() ? 1 : 0;
    return compareFolded(a.sliced(i + skipA), b.sliced(i + skipB)) == 0;
}

bool digits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QStringView withoutMinus(QStringView text)
{
    return text.startsWith(u'-') ? text.sliced(1) : text;
}

// Flags that keep a setting from counting as a cheat (idCVarSystemLocal's UpdateCheat).
constexpr unsigned notCheat = Flag::Nocheat | Flag::Init | Flag::Rom | Flag::Archive |
                              Flag::Userinfo | Flag::Serverinfo | Flag::Networksync;

} // namespace

bool Declaration::takesNumber() const
{
    return type != Type::String || (words.empty() && isNumber(defaultValue));
}

const Declaration& Setting::in(Build build) const
{
    if (!(builds & build))
        return declared[0];
    return declared[build == Win32 ? 0 : build == Linux ? 1 : 2];
}

bool Setting::archived(unsigned chosen) const
{
    return std::all_of(buildOrder.begin(), buildOrder.end(), [&](Build b) {
        return !(b & chosen & this->builds) || (in(b).flags & Flag::Archive);
    });
}

bool Setting::cheatInMultiplayer(unsigned chosen) const
{
    return std::any_of(buildOrder.begin(), buildOrder.end(), [&](Build b) {
        return (b & chosen & this->builds) && !(in(b).flags & notCheat);
    });
}

std::span<const Setting> allSettings()
{
    return table;
}

const Setting* findSetting(QStringView name)
{
    const auto found = std::lower_bound(
        std::begin(table), std::end(table), name,
        [](const Setting& s, QStringView n) { return compareFolded(s.name, n) < 0; });
    return found != std::end(table) && compareFolded(found->name, name) == 0 ? &*found : nullptr;
}

const Setting* settingOneLetterAway(QStringView name)
{
    const auto found = std::find_if(std::begin(table), std::end(table), [name](const Setting& s) {
        return oneLetterApart(s.name, name);
    });
    return found == std::end(table) ? nullptr : &*found;
}

bool noBuildHas(QStringView name)
{
    return std::any_of(namesNoBuildHas.begin(), namesNoBuildHas.end(),
                       [name](QStringView known) { return compareFolded(known, name) == 0; });
}

bool isNumber(QStringView text)
{
    const QStringView number = withoutMinus(text);
    const qsizetype point = number.indexOf(u'.');
    if (point < 0)
        return digits(number);
    const QStringView whole = number.first(point), fraction = number.sliced(point + 1);
    return (whole.isEmpty() || digits(whole)) && (fraction.isEmpty() || digits(fraction)) &&
           !(whole.isEmpty() && fraction.isEmpty());
}

bool isWholeNumber(QStringView text)
{
    return digits(withoutMinus(text));
}

QString whenItTakesEffect(const Setting& setting)
{
    switch (setting.restart) {
    case Restart::None:
        break;
    case Restart::VidRestart:
        return tr("after vid_restart");
    case Restart::SoundRestart:
        return tr("after s_restart");
    case Restart::GameStart:
        return tr("at the next start of the game");
    case Restart::NewMap:
        return tr("at the next map");
    }
    return tr("at once");
}

QString buildName(unsigned chosen)
{
    QStringList names;
    if (chosen & Win32)
        names << tr("Doom 3 (Windows)");
    if (chosen & Linux)
        names << tr("Doom 3 for Linux");
    if (chosen & Dhewm3)
        names << QStringLiteral("dhewm3");
    if (names.size() < 2)
        return names.join(QString());
    return names.first(names.size() - 1).join(u", ") + u' ' + tr("and") + u' ' + names.last();
}

std::span<const Build> eachBuild()
{
    return buildOrder;
}

} // namespace quenzar::gameconfig
