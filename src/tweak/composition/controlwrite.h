#pragma once

#include <QStringView>

#include <string_view>

namespace quenzar {

// One change a button makes to its window, named by the control's objectName: the composition
// of "Safe to File" and the reset tables both say what they change this way, and the window
// applies the list in order.
struct ControlWrite
{
    enum class Action : unsigned char
    {
        SetText,    // a text box's text or a label's caption
        Untick,     // a check box back to unticked
        Deselect,   // an option button back to not selected
        ShowWarning // an OK box with `text`, shown at this point of the list; no control
    };
    std::string_view control;
    Action action;
    QStringView text; // the text, caption or warning; empty for the others

    friend bool operator==(const ControlWrite& a, const ControlWrite& b)
    {
        return a.control == b.control && a.action == b.action && a.text == b.text;
    }
};

} // namespace quenzar
