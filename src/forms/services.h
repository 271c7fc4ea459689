#pragma once

namespace quenzar {

class Dialogs;
class Forms;
class Shutdown;

// What the forms reach of the world outside their own controls.
struct Services
{
    Forms& forms;
    Dialogs& dialogs;
    Shutdown& shutdown;
};

} // namespace quenzar
