#pragma once

#include "forms/formbase.h"
#include "forms/look.h"
#include "forms/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QStringView>

#include <span>
#include <string_view>

class QAccessibleEvent;
class QWidget;

namespace quenzar {

// The kinds of control the forms are made of.
enum class Kind
{
    Label,         // QLabel
    CheckBox,      // QCheckBox
    OptionButton,  // QRadioButton; the option buttons of one container form one group
    TextBox,       // QLineEdit, single line, any length
    Frame,         // QGroupBox; takes no focus
    CommandButton, // QPushButton (a CommandButton)
    ListBox        // QListWidget, single selection
};

// How a label treats its caption.
enum class Sizing
{
    Fixed,   // keeps its box, wraps at blanks, shows what fits
    AutoSize // sizes itself to its caption on one line
};

// One control as designed: everything a form needs to build it.
struct ControlDesign
{
    std::string_view name{};
    Kind kind{};
    std::string_view container{}; // empty: placed on the form itself
    QStringView caption{};        // caption or text; "&" marks the access key
    QStringView toolTip{};
    twips::Rect geometry{}; // relative to the form's client area or to the frame
    int tabIndex = 0;
    Colour back{};
    Colour fore{};
    FontSpec font{};
    Sizing sizing = Sizing::Fixed;
    // What a screen reader calls a control that has no caption and no label just before it in
    // tab order.
    QStringView accessibleName{};
};

struct FormDesign
{
    QStringView name{}; // as the forms registry knows it
    QStringView caption{};
    int clientWidth = 0;  // twips
    int clientHeight = 0; // twips
    Colour back{};
    FormRole role = FormRole::Window;
    QStringView accessibleDescription{}; // what a screen reader reads when the form opens
};

// Builds the form's window and controls from their design. Controls are reached afterwards by
// name (objectName); tab order follows the tab indexes, and a label's access key moves the
// focus to the control after it in tab order. Labels lie beneath the other controls of their
// container. The design must outlive the form: system colours are taken from it again whenever
// the player's colour scheme changes.
void buildForm(FormBase* form, const FormDesign& design, std::span<const ControlDesign> controls);

// A label whose access key only moves the focus, never presses the control it names.
class AccessLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    bool event(QEvent* event) override;
};

// A command button whose access key moves the focus to it and presses it, and whose picture,
// when it has one, stands above its caption.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// Sets a label's caption; a label that sizes itself to its caption refits at once. Screen
// readers hear the new caption.
void setCaption(QLabel* label, const QString& caption);

// How screen readers are told of a changed caption: Qt's accessibility update. Tests, which run
// where no screen reader can listen, put a recorder in its place; returns the one it replaces.
using AccessibilityNotifier = void (*)(QAccessibleEvent* event);
AccessibilityNotifier setAccessibilityNotifier(AccessibilityNotifier notifier);

} // namespace quenzar
