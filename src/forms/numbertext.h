#pragma once

#include <QLocale>
#include <QString>

namespace quenzar {

// How a single-precision number reads on screen: whole values as plain digits (a minus sign
// where negative, no decimal point, no grouping, no leading blank); anything else with up to
// seven significant digits and the locale's decimal separator.
QString singleToText(float value, const QLocale& locale = QLocale());

} // namespace quenzar
