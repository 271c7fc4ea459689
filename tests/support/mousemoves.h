#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace quenzar::testing {

// QTest takes the point (0, 0) for "the middle of the widget", so a move to the very corner is
// handed to the form directly.
inline void moveToCorner(QWidget* form)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), form->mapToGlobal(QPointF(0, 0)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form, &move);
}

} // namespace quenzar::testing
