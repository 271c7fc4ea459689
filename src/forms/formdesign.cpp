#include "forms/formdesign.h"

#include "forms/formbase.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace quenzar {

namespace {

const char* const autoSizeProperty = "quenzarAutoSize";

AccessibilityNotifier notifyScreenReaders = QAccessible::updateAccessibility;

QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QWidget* createControl(const ControlDesign& design, QWidget* container)
{
    const QString caption = design.caption.toString();
    switch (design.kind) {
    case Kind::Label: {
        auto* label = new AccessLabel(container);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setText(caption);
        if (design.sizing == Sizing::AutoSize) {
            label->setProperty(autoSizeProperty, true);
            label->setWordWrap(false);
        } else {
            label->setWordWrap(true);
        }
        return label;
    }
    case Kind::CheckBox:
        return new QCheckBox(caption, container);
    case Kind::OptionButton:
        return new QRadioButton(caption, container);
    case Kind::TextBox: {
        auto* edit = new QLineEdit(caption, container);
        // A text box takes text of any length, not just the first 32,767 characters.
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setCursorPosition(0);
        return edit;
    }
    case Kind::Frame: {
        auto* frame = new QGroupBox(caption, container);
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case Kind::CommandButton:
        return new CommandButton(caption, container);
    case Kind::ListBox: {
        auto* list = new QListWidget(container);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        return list;
    }
    }
    return nullptr;
}

// A control the player reaches with Tab.
bool takesFocus(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) != 0 && !qobject_cast<const QLabel*>(widget) &&
           !qobject_cast<const QGroupBox*>(widget);
}

// A colour of the player's scheme, rather than a fixed one, decides this control's look.
bool followsScheme(const ControlDesign& design)
{
    const bool boxOfStandardColours =
        (design.kind == Kind::TextBox || design.kind == Kind::ListBox) &&
        (!design.back.isSet() || !design.fore.isSet());
    return design.back.source == Colour::Source::System ||
           design.fore.source == Colour::Source::System || boxOfStandardColours;
}

void applyColours(QWidget* widget, const ControlDesign& design, const QPalette& scheme)
{
    QPalette palette = widget->palette();
    const bool isButton = design.kind == Kind::CommandButton;
    const bool isBox = design.kind == Kind::TextBox || design.kind == Kind::ListBox;
    if (design.back.isSet()) {
        const QColor back = design.back.resolve(scheme);
        if (isButton) {
            palette.setColor(QPalette::Button, back);
            // A face as dark as the caption would hide it.
            if (back.lightness() < 96)
                palette.setColor(QPalette::ButtonText, QColor(0, 255, 0));
        } else {
            // Check boxes and option buttons paint their background in the button role.
            if (design.kind == Kind::CheckBox || design.kind == Kind::OptionButton)
                widget->setBackgroundRole(QPalette::Window);
            palette.setColor(QPalette::Window, back);
            if (isBox)
                palette.setColor(QPalette::Base, back);
            widget->setAutoFillBackground(!isBox);
        }
    }
    if (design.fore.isSet()) {
        const QColor fore = design.fore.resolve(scheme);
        palette.setColor(QPalette::WindowText, fore);
        palette.setColor(QPalette::Text, fore);
        if (isButton)
            palette.setColor(QPalette::ButtonText, fore);
    }
    widget->setPalette(palette);
    if (isBox) {
        // A sunken border that shows on any background, so that an empty box on black is still
        // found. Standard colours are the scheme's as it stands now.
        const QColor base =
            design.back.isSet() ? palette.color(QPalette::Base) : scheme.color(QPalette::Base);
        const QColor text =
            design.fore.isSet() ? palette.color(QPalette::Text) : scheme.color(QPalette::Text);
        widget->setStyleSheet(
            QStringLiteral("%1 { border: 2px inset rgb(160, 160, 160); padding: 0px 1px;"
                           " background: %2; color: %3; }")
                .arg(QLatin1StringView(widget->metaObject()->className()), base.name(),
                     text.name()));
    }
}

void applyFormColour(FormBase* form, const FormDesign& design, const QPalette& scheme)
{
    if (!design.back.isSet())
        return;
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, design.back.resolve(scheme));
    form->setPalette(palette);
    form->setAutoFillBackground(true);
}

// Paints the system colours of the form and its controls in the scheme as it stands now.
void followScheme(FormBase* form, const FormDesign& design, std::span<const ControlDesign> controls)
{
    const QPalette scheme = QApplication::palette();
    if (design.back.source == Colour::Source::System)
        applyFormColour(form, design, scheme);
    for (const ControlDesign& control : controls) {
        if (!followsScheme(control))
            continue;
        if (auto* widget = form->findChild<QWidget*>(toQString(control.name)))
            applyColours(widget, control, scheme);
    }
}

} // namespace

bool AccessLabel::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        // The access key of a label moves the focus to its control; it does not tick or press
        // it, as a plain QLabel would do with a button.
        if (QWidget* target = buddy(); target && target->isEnabled()) {
            target->setFocus(Qt::ShortcutFocusReason);
            window()->setAttribute(Qt::WA_KeyboardFocusChange);
        }
        return true;
    }
    return QLabel::event(event);
}

bool CommandButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        // A key that only this button carries presses it with the focus on it, as it does for
        // check boxes and option buttons; a shared key only moves the focus, as Qt does.
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (!shortcut->isAmbiguous() && isEnabled() && (focusPolicy() & Qt::TabFocus)) {
            setFocus(Qt::ShortcutFocusReason);
            window()->setAttribute(Qt::WA_KeyboardFocusChange);
        }
    }
    return QPushButton::event(event);
}

void CommandButton::paintEvent(QPaintEvent* event)
{
    if (icon().isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QIcon picture = option.icon;
    const QString caption = option.text;
    option.icon = QIcon();
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option); // the face and the focus frame

    // The picture stands centred at the top; the caption keeps the bottom of the face and is
    // drawn last, so that on a face too low for both the caption stays readable.
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QSize size = iconSize();
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QPoint shift =
        isDown() ? QPoint(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this))
                 : QPoint();
    const QRect pictureRect(
        QPoint(face.left() + (face.width() - size.width()) / 2, face.top()) + shift, size);
    picture.paint(&painter, pictureRect, Qt::AlignCenter, mode);
    painter.drawItemText(face.translated(shift),
                         Qt::AlignHCenter | Qt::AlignBottom | Qt::TextShowMnemonic, option.palette,
                         isEnabled(), caption, QPalette::ButtonText);
}

void setCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    if (label->property(autoSizeProperty).toBool())
        label->adjustSize();
    // A status label is read out when its caption changes, not only seen.
    QAccessibleEvent changed(label, QAccessible::NameChanged);
    notifyScreenReaders(&changed);
}

AccessibilityNotifier setAccessibilityNotifier(AccessibilityNotifier notifier)
{
    return std::exchange(notifyScreenReaders, notifier);
}

void buildForm(FormBase* form, const FormDesign& design, std::span<const ControlDesign> controls)
{
    const QPalette scheme = QApplication::palette();
    form->setObjectName(design.name.toString());
    form->setWindowTitle(design.caption.toString());
    form->setFont(formFont().toFont());
    form->setRole(design.role);
    form->setAccessibleDescription(design.accessibleDescription.toString());
    applyFormColour(form, design, scheme);
    // The layout is fixed and assumes exactly this client area.
    form->setFixedSize(twips::toPixels(design.clientWidth, design.clientHeight));

    struct Built
    {
        const ControlDesign* design;
        QWidget* widget;
    };
    std::vector<Built> built;
    built.reserve(controls.size());
    for (const ControlDesign& control : controls) {
        QWidget* container = form;
        if (!control.container.empty()) {
            container = form->findChild<QWidget*>(toQString(control.container));
            Q_ASSERT_X(container, "buildForm", "a frame must come before its controls");
        }
        QWidget* widget = createControl(control, container);
        widget->setObjectName(toQString(control.name));
        applyColours(widget, control, scheme);
        if (control.font.isSet())
            widget->setFont(control.font.toFont());
        widget->setGeometry(twips::toPixels(control.geometry));
        if (!control.toolTip.isEmpty())
            widget->setToolTip(control.toolTip.toString());
        form->suppressInheritedToolTip(widget);
        if (!control.accessibleName.isEmpty())
            widget->setAccessibleName(control.accessibleName.toString());
        if (auto* label = qobject_cast<QLabel*>(widget);
            label && control.sizing == Sizing::AutoSize && !label->text().isEmpty())
            label->adjustSize();
        built.push_back({&control, widget});
    }

    // Labels are drawn beneath every other control of their container and leave it the clicks
    // where they overlap; among themselves they keep the order of the design.
    for (auto it = built.rbegin(); it != built.rend(); ++it) {
        if (it->design->kind == Kind::Label)
            it->widget->lower();
    }

    std::stable_sort(built.begin(), built.end(), [](const Built& a, const Built& b) {
        return a.design->tabIndex < b.design->tabIndex;
    });

    // A caption-less check box or a memory box is named by the label just before it in tab
    // order, so a screen reader announces what it is for.
    for (std::size_t i = 1; i < built.size(); ++i) {
        const ControlDesign& design = *built[i].design;
        const bool nameless = (design.kind == Kind::CheckBox && design.caption.isEmpty()) ||
                              design.kind == Kind::TextBox;
        const auto* label = qobject_cast<QLabel*>(built[i - 1].widget);
        if (nameless && design.accessibleName.isEmpty() && label &&
            built[i - 1].design->tabIndex == design.tabIndex - 1)
            built[i].widget->setAccessibleName(label->text().remove(u'&').trimmed());
    }

    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < built.size(); ++i) {
        QWidget* widget = built[i].widget;
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->text().contains(u'&')) {
            const auto next = std::find_if(built.begin() + qsizetype(i) + 1, built.end(),
                                           [](const Built& b) { return takesFocus(b.widget); });
            if (next != built.end())
                label->setBuddy(next->widget);
        }
        if (!takesFocus(widget))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        else
            widget->setFocus(); // the first control in tab order starts with the focus
        previous = widget;
    }

    form->enableEnterOnButtons();
    form->setSchemeFollower([form, &design, controls] { followScheme(form, design, controls); });
}

} // namespace quenzar
