#include "forms/readout.h"

#include "forms/numbertext.h"

namespace quenzar {

QString coordinateReadout(float x, float y)
{
    return QStringLiteral("Breedte = ") + singleToText(x) + QStringLiteral("     ") +
           QStringLiteral("Hoogte = ") + singleToText(y);
}

} // namespace quenzar
