#include "tweak/reset.h"

namespace quenzar {

namespace {

using Kind = ResetWrite::Kind;

// Not the texts the window opens with: a reset window is in a state of its own. The card
// maker and switches, the Safe to File path and the Empty choice itself are kept.
constexpr ResetWrite full[] = {
    {"txtVRam", Kind::Text, u""},
    {"txtRam", Kind::Text, u""},
    {"chkEBoost", Kind::Untick, {}},
    {"chkCache", Kind::Untick, {}},
    {"chkTShadows", Kind::Untick, {}},
    {"chkOShadows", Kind::Untick, {}},
    {"chkBlood", Kind::Untick, {}},
    {"chkBrass", Kind::Untick, {}},
    {"chkPLights", Kind::Untick, {}},
    {"chkMuzzle", Kind::Untick, {}},
    {"chkShadow", Kind::Untick, {}},
    {"chkDouble", Kind::Untick, {}},
    {"chkBoost", Kind::Untick, {}},
    {"chkBetter", Kind::Untick, {}},
    {"optBest", Kind::Deselect, {}},
    {"optNBest", Kind::Deselect, {}},
    {"lblDebug", Kind::Caption, u"Looking for errors "},
    {"chkWorse", Kind::Untick, {}},
    {"txtTRam", Kind::Text, u"Here will be your tweak pasted so you can edit him"},
    {"txtPath", Kind::Text, u"Enter path where you want to safe your file"},
    {"lblError", Kind::Caption, u"No errors found"},
};

constexpr ResetWrite memory[] = {
    {"txtRam", Kind::Text, u""},
    {"txtVRam", Kind::Text, u""},
};

constexpr ResetWrite paths[] = {
    {"txtPath", Kind::Text, u"Enter Path..."},
    {"txtSText", Kind::Text, u"Enter Path..."},
};

} // namespace

std::span<const ResetWrite> fullReset()
{
    return full;
}
std::span<const ResetWrite> memoryBoxesClear()
{
    return memory;
}
std::span<const ResetWrite> pathClear()
{
    return paths;
}

} // namespace quenzar
