#pragma once

#include <QStringView>

// The program's three forms by the names the forms registry knows them by: a form that opens
// another needs only its name, not its class.
namespace quenzar::formnames {

inline constexpr QStringView frmFirst = u"frmFirst";
inline constexpr QStringView frmD3Tweak = u"frmD3Tweak";
inline constexpr QStringView frmEdit = u"frmEdit";

} // namespace quenzar::formnames
