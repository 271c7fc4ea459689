#pragma once

#include "platform/dialogs.h"

namespace quenzar {

// The real boxes: QMessageBox without an icon, its first button the default, and a text-mode
// QInputDialog without a default text. Each is modal over the window that is active.
class QtDialogs final : public Dialogs
{
public:
    Answer message(const QString& prompt, Buttons buttons, const QString& title = {}) override;
    QString input(const QString& prompt) override;
};

} // namespace quenzar
