#include "forms/numbertext.h"

#include <cmath>

namespace quenzar {

QString singleToText(float value, const QLocale& locale)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");

    const double exact = value; // every float is exact as a double
    if (exact == std::trunc(exact)) {
        // -0 reads as 0: a position of minus nothing is still the edge.
        if (exact == 0)
            return QStringLiteral("0");
        return QString::number(exact, 'f', 0);
    }

    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(exact, 'g', 7);
}

} // namespace quenzar
