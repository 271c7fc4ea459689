#pragma once

#include <QStringList>

namespace quenzar::testing {

// The main window's eighteen check boxes, listed once for the tests that walk them all, so that
// none learns them from the program's own tables: a box those tables lose is then missed, not
// dropped from the test.
inline const QStringList mainWindowCheckBoxes = {
    "chkA",        "chkB",        "chkC",     "chkAti",     "chkNv",     "chkCache",
    "chkEBoost",   "chkBetter",   "chkWorse", "chkDouble",  "chkBlood",  "chkMuzzle",
    "chkOShadows", "chkTShadows", "chkBrass", "chkPLights", "chkShadow", "chkBoost"};

} // namespace quenzar::testing
