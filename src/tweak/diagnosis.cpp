#include "tweak/diagnosis.h"

namespace quenzar {

namespace {

struct Check
{
    bool onErrorLabel; // lblError, else lblDebug
    QStringView code;
    QStringView message;
};

// Each check runs on its own; a caption equals at most one code of its label.
constexpr Check checks[] = {
    {true, u"Error", u" NOT ENOUGHT MEMORY "},
    {true, u"Error GPU ", u"NOT ENOUGH VIDEOMEMORY"},
    {true, u"BIG ERROR ", u"NOT ENOUGH MEMORY AND VIDEO MEMORY"},
    {false, u"No error found", u"No error found "},
};

} // namespace

QStringList diagnoseStatus(const QString& lblError, const QString& lblDebug)
{
    QStringList messages;
    for (const Check& check : checks) {
        if ((check.onErrorLabel ? lblError : lblDebug) == check.code)
            messages.append(check.message.toString());
    }
    return messages;
}

} // namespace quenzar
