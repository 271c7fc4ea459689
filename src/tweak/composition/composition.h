#pragma once

#include <QString>

#include <array>
#include <vector>

namespace quenzar::composition {

// A check box's value: 0 unticked, 1 ticked, 2 grayed. Only 1 counts as ticked.
using CheckValue = int;

// Everything "Safe to File" reads from the main window, as it stands when the click starts.
struct ControlState
{
    CheckValue chkA = 0, chkB = 0, chkC = 0, chkAti = 0, chkNv = 0, chkCache = 0, chkEBoost = 0,
               chkBetter = 0, chkWorse = 0, chkDouble = 0, chkBlood = 0, chkMuzzle = 0,
               chkOShadows = 0, chkTShadows = 0, chkBrass = 0, chkPLights = 0, chkShadow = 0,
               chkBoost = 0;
    bool optBest = false;
    bool optNBest = false;
    QString txtRam;
    QString txtVRam;
    // The caption lblError shows before the click: a code left by an earlier click steers the
    // memory repairs of this one.
    QString lblError;
};

// The controls a click writes back, and the one warning it may show.
enum class Target
{
    lblDebug,  // caption
    lblError,  // caption
    chkWorse,  // value set to 0
    chkBetter, // value set to 0
    txtRam,    // text
    txtVRam,   // text
    Warning    // modal OK box with `text`, shown at this point of the click
};

struct Write
{
    Target target;
    QString text; // caption, text or warning; empty for an untick
    friend bool operator==(const Write&, const Write&) = default;
};

inline constexpr int pieceCount = 22;

struct Composition
{
    std::array<QString, pieceCount> pieces; // pieces[0] is piece 1
    QString fileText;                       // pieces 1 to 22
    QString editText;                       // pieces 6 to 21
    std::vector<Write> writes;              // in the order the click makes them
};

// Composes the tweak for one click. Pure: the caller applies `writes` in order.
Composition composeTweak(const ControlState& state);

} // namespace quenzar::composition
