#pragma once

#include <QWidget>

class QPushButton;

namespace quenzar {

// What every form of the program shares: a fixed client area, buttons that Enter presses,
// Escape that never closes the window, and mouse moves reported in twips over the form's own
// surface only.
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

protected:
    // A move over the form's own surface: button and shift state, position in twips of the
    // client area. Moves over a control never arrive here.
    virtual void Form_MouseMove(int button, int shift, float x, float y);

    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* m_defaultButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace quenzar
