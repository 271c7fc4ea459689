#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace quenzar {

// The program's forms, one instance each, reached by name and created on first reference.
// Closing a form's window unloads it; loading it again builds it afresh from its design.
class Forms
{
public:
    using Factory = std::function<QWidget*()>;

    // `onEnd` runs after End has destroyed every form; the program passes its exit.
    explicit Forms(std::function<void()> onEnd = {});
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    void define(QStringView name, Factory factory);

    // Creates the form if it is not loaded; a loaded form is returned as it is.
    QWidget* load(QStringView name);

    // Loads the form, makes it visible without an owner and brings it to the front.
    QWidget* show(QStringView name);

    // The loaded form of that name, or nullptr.
    QWidget* loaded(QStringView name) const;

    template <class Form> Form* loaded(QStringView name) const
    {
        return qobject_cast<Form*>(loaded(name));
    }

    // Destroys every form without asking anything, then ends the program.
    void end();

private:
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_loaded;
    std::function<void()> m_onEnd;
};

} // namespace quenzar
