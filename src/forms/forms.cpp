#include "forms/forms.h"

#include <QGuiApplication>

namespace quenzar {

Forms::Forms(std::function<void()> onEnd) : m_onEnd(std::move(onEnd)) {}

Forms::~Forms()
{
    for (const auto& form : std::as_const(m_loaded))
        delete form.data();
}

void Forms::define(QStringView name, Factory factory)
{
    m_factories.insert(name.toString(), std::move(factory));
}

QWidget* Forms::load(QStringView name)
{
    if (QWidget* form = loaded(name))
        return form;
    const auto factory = m_factories.constFind(name.toString());
    Q_ASSERT_X(factory != m_factories.cend(), "Forms::load", "form was never defined");
    if (factory == m_factories.cend())
        return nullptr;
    QWidget* form = (*factory)();
    // A closed window is an unloaded form: its controls' contents go with it.
    form->setAttribute(Qt::WA_DeleteOnClose);
    m_loaded.insert(name.toString(), form);
    return form;
}

QWidget* Forms::show(QStringView name)
{
    QWidget* form = load(name);
    if (!form)
        return nullptr;
    form->show();
    if (form->isMinimized())
        form->showNormal();
    // A display without a window stack (the headless one) has no front to bring it to.
    if (QGuiApplication::platformName() != QLatin1StringView("offscreen"))
        form->raise();
    form->activateWindow();
    return form;
}

QWidget* Forms::loaded(QStringView name) const
{
    const auto it = m_loaded.constFind(name.toString());
    return it == m_loaded.cend() ? nullptr : it->data();
}

void Forms::end()
{
    // End may be pressed from inside a form's own click handler, so the forms are hidden now and
    // destroyed once that handler has returned.
    const auto forms = std::exchange(m_loaded, {});
    for (const auto& form : forms) {
        if (form) {
            form->hide();
            form->deleteLater();
        }
    }
    if (m_onEnd)
        m_onEnd();
}

} // namespace quenzar
