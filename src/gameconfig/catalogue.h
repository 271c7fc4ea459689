#pragma once

#include <QStringView>

#include <span>

// The Doom 3 console variables the tweak names, as the game itself registers them: how each is
// spelled, what it stores and which values it takes as meant.
namespace quenzar::gameconfig {

enum class Type
{
    Bool,  // takes 0 or 1 and nothing else
    Int,   // a whole number, within bounds where the game keeps it within them
    String // any text, unless a list of words says otherwise
};

// Settings of the game module exist only once that module has loaded, after the start-up
// files (default.cfg, DoomConfig.cfg, autoexec.cfg) have run.
enum class RegisteredBy
{
    Engine,
    Game
};

// The binaries that have a setting.
enum Build : unsigned
{
    Win32 = 1,
    Linux = 2,
    Dhewm3 = 4,
    AllBuilds = Win32 | Linux | Dhewm3
};

struct Range
{
    int minimum = 0;
    int maximum = 0;
    bool bounded = false;
};

inline constexpr Range between(int minimum, int maximum)
{
    return {minimum, maximum, true};
}
inline constexpr Range unbounded{};

struct Setting
{
    QStringView name; // as the game spells it
    Type type;
    QStringView defaultValue;
    Range range;
    // A string setting with words takes only these; the game puts the first in place of
    // anything else.
    std::span<const QStringView> words;
    bool archived; // the game writes it back to DoomConfig.cfg
    RegisteredBy registeredBy;
    unsigned builds;
    // Read only when the renderer starts or reloads its images: in a running game the new value
    // waits for vid_restart.
    bool needsVidRestart;

    // A string setting whose default is a number is one the game reads as a number.
    bool takesNumber() const;
};

// The setting the game means by `name`: the game finds its settings whatever the letter case.
const Setting* findSetting(QStringView name);

// A setting whose name differs from `name` by one letter added, dropped or changed.
const Setting* settingOneLetterAway(QStringView name);

// A number as the game writes one: an optional minus, digits, and a fraction after a point.
bool isNumber(QStringView text);
// A number without a fraction.
bool isWholeNumber(QStringView text);

// Names the tweak uses that no build of the game has.
bool noBuildHas(QStringView name);

} // namespace quenzar::gameconfig
