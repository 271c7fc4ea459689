#pragma once

#include "tweak/composition/controlwrite.h"

#include <QString>

#include <array>
#include <string_view>
#include <vector>

namespace quenzar::composition {

// A check box's value as the window holds it; only Qt::Checked counts as ticked, a grayed box
// does not.
using CheckValue = Qt::CheckState;

// Everything "Safe to File" reads from the main window, as it stands when the click starts.
struct ControlState
{
    CheckValue chkA = Qt::Unchecked, chkB = Qt::Unchecked, chkC = Qt::Unchecked,
               chkAti = Qt::Unchecked, chkNv = Qt::Unchecked, chkCache = Qt::Unchecked,
               chkEBoost = Qt::Unchecked, chkBetter = Qt::Unchecked, chkWorse = Qt::Unchecked,
               chkDouble = Qt::Unchecked, chkBlood = Qt::Unchecked, chkMuzzle = Qt::Unchecked,
               chkOShadows = Qt::Unchecked, chkTShadows = Qt::Unchecked, chkBrass = Qt::Unchecked,
               chkPLights = Qt::Unchecked, chkShadow = Qt::Unchecked, chkBoost = Qt::Unchecked;
    bool optBest = false;
    bool optNBest = false;
    QString txtRam;
    QString txtVRam;
    // The caption lblError shows before the click: a code left by an earlier click steers the
    // memory repairs of this one.
    QString lblError;
};

// A check box of the window and the member of ControlState that holds its value.
struct CheckBoxField
{
    std::string_view name; // the control's objectName
    CheckValue ControlState::*value;
};

// Every check box "Safe to File" reads, in the window's order.
inline constexpr std::array<CheckBoxField, 18> checkBoxes{{
    {"chkA", &ControlState::chkA},
    {"chkB", &ControlState::chkB},
    {"chkC", &ControlState::chkC},
    {"chkAti", &ControlState::chkAti},
    {"chkNv", &ControlState::chkNv},
    {"chkCache", &ControlState::chkCache},
    {"chkEBoost", &ControlState::chkEBoost},
    {"chkBetter", &ControlState::chkBetter},
    {"chkWorse", &ControlState::chkWorse},
    {"chkDouble", &ControlState::chkDouble},
    {"chkBlood", &ControlState::chkBlood},
    {"chkMuzzle", &ControlState::chkMuzzle},
    {"chkOShadows", &ControlState::chkOShadows},
    {"chkTShadows", &ControlState::chkTShadows},
    {"chkBrass", &ControlState::chkBrass},
    {"chkPLights", &ControlState::chkPLights},
    {"chkShadow", &ControlState::chkShadow},
    {"chkBoost", &ControlState::chkBoost},
}};

inline constexpr int pieceCount = 22;

struct Composition
{
    std::array<QString, pieceCount> pieces; // pieces[0] is piece 1
    QString fileText;                       // pieces 1 to 22
    QString editText;                       // pieces 6 to 21
    std::vector<ControlWrite> writes;       // in the order the click makes them
};

// Composes the tweak for one click. Pure: the caller applies `writes` in order.
Composition composeTweak(const ControlState& state);

} // namespace quenzar::composition
