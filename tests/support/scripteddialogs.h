#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>
#include <functional>

namespace quenzar::testing {

// Dialogs that answer from a script and remember everything they were asked to show.
class ScriptedDialogs final : public Dialogs
{
public:
    struct Shown
    {
        enum class Kind
        {
            Message,
            Input
        };
        Kind kind;
        QString prompt;
        Buttons buttons = Buttons::Ok;
        QString title;
    };

    // Answers for message boxes, in order. A box without a scripted answer is answered with
    // its first button and counted in `unscripted`.
    QList<Answer> answers;
    // Texts for input boxes, in order; an input box without one returns the empty text.
    QStringList inputs;

    QList<Shown> shown;
    int unscripted = 0;
    // Called while each box is "open", to look at the windows behind it.
    std::function<void(const Shown&)> onShow;

    Answer message(const QString& prompt, Buttons buttons, const QString& title = {}) override
    {
        shown.append({Shown::Kind::Message, prompt, buttons, title});
        if (onShow)
            onShow(shown.last());
        if (!answers.isEmpty())
            return answers.takeFirst();
        ++unscripted;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }

    QString input(const QString& prompt) override
    {
        shown.append({Shown::Kind::Input, prompt, Buttons::Ok, QString()});
        if (onShow)
            onShow(shown.last());
        if (!inputs.isEmpty())
            return inputs.takeFirst();
        ++unscripted;
        return QString();
    }

    // The prompts in the order they were shown.
    QStringList prompts() const
    {
        QStringList result;
        for (const Shown& s : shown)
            result.append(s.prompt);
        return result;
    }
};

} // namespace quenzar::testing
