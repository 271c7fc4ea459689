#pragma once

#include <QString>
#include <QStringList>

namespace quenzar {

// What "Debug !" says about the codes left in the two status labels: one sentence per code it
// recognises, in the order the boxes are shown. Captions are compared whole and exactly.
QStringList diagnoseStatus(const QString& lblError, const QString& lblDebug);

} // namespace quenzar
