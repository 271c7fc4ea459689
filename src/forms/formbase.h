#pragma once

#include <QWidget>

#include <functional>
#include <string_view>

class QPushButton;

namespace quenzar {

// What a screen reader announces a form as.
enum class FormRole
{
    Window,
    Dialog
};

// What every form of the program shares: a fixed client area, buttons that Enter presses,
// Escape that never closes the window, mouse moves reported in twips over the form's own
// surface only, controls without a tool tip that show none, and system colours that follow the
// player's colour scheme while the form is open.
class FormBase : public QWidget
{
    Q_OBJECT

public:
    explicit FormBase(QWidget* parent = nullptr);

    // Enter presses this button wherever the focus is, unless the focus is on another button.
    void setDefaultButton(QPushButton* button);
    // Escape presses this button.
    void setCancelButton(QPushButton* button);

    // Makes Enter press each command button of the form while it has the focus; call once the
    // controls exist.
    void enableEnterOnButtons();

    // A control without a tool tip of its own shows none, not its frame's.
    void suppressInheritedToolTip(QWidget* control);

    FormRole role() const { return m_role; }
    void setRole(FormRole role) { m_role = role; }

    // Runs whenever the player's colour scheme changes, to paint the system colours anew.
    void setSchemeFollower(std::function<void()> follow) { m_followScheme = std::move(follow); }

protected:
    // A move over the form's own surface, at a position in twips of the client area. Moves over
    // a control never arrive here.
    virtual void Form_MouseMove(float x, float y);

    // The form's control of that name and kind; every name the forms ask for is in their design.
    template <class Control> Control* control(std::string_view name) const
    {
        auto* found = findChild<Control*>(QLatin1StringView(name.data(), qsizetype(name.size())));
        Q_ASSERT_X(found, "FormBase::control", name.data());
        return found;
    }

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* m_defaultButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    FormRole m_role = FormRole::Window;
    std::function<void()> m_followScheme;
};

} // namespace quenzar
