#pragma once

#include <QString>
#include <QStringView>

#include <span>

// Every console variable of Doom 3 1.3.1 (Windows and Linux) and dhewm3, as the engines declare
// them. The table is made at build time from doom3-cvars.tsv beside this file.
namespace quenzar::gameconfig {

enum class Type
{
    Bool,  // stored as 0 or 1: any other number counts as 1
    Int,   // a whole number, clamped to its range where it has one
    Float, // a number, clamped to its range where it has one
    String // any text, unless a list of words says otherwise
};

// The binaries that have a setting.
enum Build : unsigned
{
    Win32 = 1,
    Linux = 2,
    Dhewm3 = 4,
    AllBuilds = Win32 | Linux | Dhewm3
};

// The modules that declare a setting. Settings of the game modules exist only once one has
// loaded, after the start-up files (default.cfg, DoomConfig.cfg, autoexec.cfg) have run.
enum Module : unsigned
{
    Engine = 1,
    BaseGame = 2,
    Expansion = 4
};

// The engine's CVAR_ flags, other than the type.
namespace Flag {
enum : unsigned
{
    System = 1 << 0,
    Renderer = 1 << 1,
    Sound = 1 << 2,
    Gui = 1 << 3,
    Game = 1 << 4,
    Tool = 1 << 5,
    Userinfo = 1 << 6,
    Serverinfo = 1 << 7,
    Networksync = 1 << 8,
    Cheat = 1 << 9,
    Nocheat = 1 << 10,
    Init = 1 << 11,
    Rom = 1 << 12,
    Archive = 1 << 13
};
} // namespace Flag

// When the game reads a new value of a setting.
enum class Restart
{
    None,         // while running
    VidRestart,   // when the renderer starts again
    SoundRestart, // when the sound system starts again (s_restart)
    GameStart,    // at the next start of the game
    NewMap        // when the next map loads
};

struct Range
{
    double minimum = 0;
    double maximum = 0;
    bool bounded = false;
};

// What one build declares for a setting.
struct Declaration
{
    Type type;
    QStringView defaultValue;
    Range range;
    // A string setting with words takes only these, whatever their letter case; the game
    // stores its own spelling, and the first word in place of anything else.
    std::span<const QStringView> words;
    unsigned flags;

    // A string setting whose default is a number is one the game reads as a number.
    bool takesNumber() const;
};

struct Setting
{
    QStringView name;        // as the game spells it
    Declaration declared[3]; // Doom 3 for Windows, Doom 3 for Linux, dhewm3
    unsigned registeredBy;   // Module flags
    unsigned builds;         // Build flags
    Restart restart;
    bool restartUncertain; // the engine's code did not show for certain when it is read
    bool neverActedOn;

    // The declaration of `build`, or of the Windows build where `build` lacks the setting.
    const Declaration& in(Build build) const;
    const Declaration& declaration() const { return declared[0]; }

    // The game writes it back to DoomConfig.cfg, in every one of `builds` that has it.
    bool archived(unsigned builds = AllBuilds) const;
    // In multiplayer it is put back to its default and cannot be changed, in some of
    // `builds`: it has none of nocheat, init, rom, archive, userinfo, serverinfo, networksync.
    bool cheatInMultiplayer(unsigned builds = AllBuilds) const;
    // Declared but never acted on: setting it changes nothing in the game.
    bool doesNothing() const { return neverActedOn; }
    // Declared only by a game module, so not a command while the start-up files run.
    bool registeredByGameOnly() const { return !(registeredBy & Engine); }
};

// All settings, sorted by name whatever the letter case.
std::span<const Setting> allSettings();

// The setting the game means by `name`: the game finds its settings whatever the letter case.
const Setting* findSetting(QStringView name);

// A setting whose name differs from `name` by one letter added, dropped or changed.
const Setting* settingOneLetterAway(QStringView name);

// Names the window's tweak uses that no build of the game has.
bool noBuildHas(QStringView name);

// A number as the game keeps one: an optional minus, digits, and a fraction after a point.
bool isNumber(QStringView text);
// A number without a fraction.
bool isWholeNumber(QStringView text);

// "at once", "after vid_restart", "after s_restart", "at the next start of the game",
// "at the next map".
QString whenItTakesEffect(const Setting& setting);

// "Doom 3 (Windows)", "Doom 3 for Linux", "dhewm3"; several builds joined with "and".
QString buildName(unsigned builds);

// The builds in `builds` one at a time, in the table's order.
std::span<const Build> eachBuild();

} // namespace quenzar::gameconfig
