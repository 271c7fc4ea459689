#include "forms/formbase.h"

#include "forms/twips.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>

namespace quenzar {

namespace {

bool isEnter(const QKeyEvent* key)
{
    const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

// Qt presents a plain widget as a filler; a form is a window or a dialog to a screen reader.
QAccessibleInterface* formAccessible(const QString& className, QObject* object)
{
    auto* form = qobject_cast<FormBase*>(object);
    if (!form || className != QLatin1StringView(FormBase::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(form, form->role() == FormRole::Dialog ? QAccessible::Dialog
                                                                        : QAccessible::Window);
}

} // namespace

FormBase::FormBase(QWidget* parent) : QWidget(parent)
{
    // Moves without a pressed button only reach a widget that tracks the mouse.
    setMouseTracking(true);
    static const bool accessibleFormsKnown = [] {
        QAccessible::installFactory(formAccessible);
        return true;
    }();
    Q_UNUSED(accessibleFormsKnown);
}

void FormBase::setDefaultButton(QPushButton* button)
{
    m_defaultButton = button;
}

void FormBase::setCancelButton(QPushButton* button)
{
    m_cancelButton = button;
}

void FormBase::enableEnterOnButtons()
{
    // A push button outside a dialog ignores Enter; on these forms Enter presses the button
    // that has the focus.
    const auto buttons = findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(this);
    }
}

void FormBase::suppressInheritedToolTip(QWidget* control)
{
    control->installEventFilter(this);
}

void FormBase::Form_MouseMove(float, float) {}

bool FormBase::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange && m_followScheme)
        m_followScheme();
    return handled;
}

bool FormBase::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // Unanswered, the request would travel on to the frame and show the frame's tip.
        auto* control = qobject_cast<QWidget*>(watched);
        if (control && control->toolTip().isEmpty()) {
            QToolTip::hideText();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && isEnter(static_cast<QKeyEvent*>(event))) {
            if (button->isEnabled())
                button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormBase::keyPressEvent(QKeyEvent* event)
{
    // Keys that no control used arrive here.
    if (isEnter(event) && m_defaultButton && m_defaultButton->isEnabled()) {
        m_defaultButton->click();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_cancelButton && m_cancelButton->isEnabled())
            m_cancelButton->click();
        return; // never closes the form
    }
    QWidget::keyPressEvent(event);
}

void FormBase::mouseMoveEvent(QMouseEvent* event)
{
    // A move that a control ignores is handed on to the form; only the form's own surface
    // counts, so a move whose point lies on a control is dropped here.
    const QPointF position = event->position();
    if (childAt(position.toPoint()) == nullptr) {
        Form_MouseMove(float(twips::fromPixels(position.x())),
                       float(twips::fromPixels(position.y())));
    }
    QWidget::mouseMoveEvent(event);
}

} // namespace quenzar
