#pragma once

#include <QString>

namespace quenzar {

// The button sets a message box offers; the first button is always the default.
enum class Buttons
{
    Ok,
    YesNo,
    YesNoCancel
};

// The button that closed a message box.
enum class Answer
{
    Ok,
    Yes,
    No,
    Cancel
};

// The program's two modal dialogs. Forms talk to this interface only, so tests can script the
// answers and read back what the player would have seen.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // An empty title means the application's own title.
    virtual Answer message(const QString& prompt, Buttons buttons, const QString& title = {}) = 0;

    // Returns the typed text, or the empty text when the player cancels.
    virtual QString input(const QString& prompt) = 0;
};

// The title every box shows unless it names one of its own.
inline const QString applicationTitle = QStringLiteral("Quenzar");

} // namespace quenzar
