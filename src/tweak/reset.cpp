#include "tweak/reset.h"

#include "tweak/composition/fragments.h"
#include "tweak/windowtexts.h"

namespace quenzar {

namespace {

using Action = ControlWrite::Action;
using composition::fragments::lookingForErrors;
using composition::fragments::noErrorsFound;

// Not the texts the window opens with: a reset window is in a state of its own. The card
// maker and switches, the Safe to File path and the Empty choice itself are kept.
constexpr ControlWrite full[] = {
    {"txtVRam", Action::SetText, u""},
    {"txtRam", Action::SetText, u""},
    {"chkEBoost", Action::Untick, {}},
    {"chkCache", Action::Untick, {}},
    {"chkTShadows", Action::Untick, {}},
    {"chkOShadows", Action::Untick, {}},
    {"chkBlood", Action::Untick, {}},
    {"chkBrass", Action::Untick, {}},
    {"chkPLights", Action::Untick, {}},
    {"chkMuzzle", Action::Untick, {}},
    {"chkShadow", Action::Untick, {}},
    {"chkDouble", Action::Untick, {}},
    {"chkBoost", Action::Untick, {}},
    {"chkBetter", Action::Untick, {}},
    {"optBest", Action::Deselect, {}},
    {"optNBest", Action::Deselect, {}},
    {"lblDebug", Action::SetText, lookingForErrors},
    {"chkWorse", Action::Untick, {}},
    {"txtTRam", Action::SetText, u"Here will be your tweak pasted so you can edit him"},
    {"txtPath", Action::SetText, u"Enter path where you want to safe your file"},
    {"lblError", Action::SetText, noErrorsFound},
};

constexpr ControlWrite memory[] = {
    {"txtRam", Action::SetText, u""},
    {"txtVRam", Action::SetText, u""},
};

constexpr ControlWrite paths[] = {
    {"txtPath", Action::SetText, pathPlaceholder},
    {"txtSText", Action::SetText, pathPlaceholder},
};

} // namespace

std::span<const ControlWrite> fullReset()
{
    return full;
}
std::span<const ControlWrite> memoryBoxesClear()
{
    return memory;
}
std::span<const ControlWrite> pathClear()
{
    return paths;
}

} // namespace quenzar
