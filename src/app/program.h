#pragma once

#include "forms/forms.h"
#include "platform/qtdialogs.h"
#include "platform/shutdown/shutdown.h"

#include <memory>

class QIcon;
class QWidget;

namespace quenzar {

// The program's own icon at every size it was drawn in.
QIcon programIcon();

// The running program: its dialogs, the operating system's shutdown service and the forms.
// Needs the QApplication to exist already.
class Program
{
public:
    Program();

    // Shows the welcome dialog, the one window the program starts with.
    QWidget* start();

    Forms& forms() { return m_forms; }

private:
    QtDialogs m_dialogs;
    std::unique_ptr<Shutdown> m_shutdown;
    Forms m_forms;
};

} // namespace quenzar
