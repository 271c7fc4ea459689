#pragma once

#include <QString>

namespace quenzar {

// The pointer position as the forms show it, in twips: "Breedte = 975     Hoogte = 240".
QString coordinateReadout(float x, float y);

} // namespace quenzar
