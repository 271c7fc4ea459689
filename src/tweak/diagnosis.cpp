#include "tweak/diagnosis.h"

#include "tweak/composition/fragments.h"

namespace quenzar {

namespace {

struct Check
{
    bool onErrorLabel; // lblError, else lblDebug
    QStringView code;
    QStringView message;
};

// Each check runs on its own; a caption equals at most one code of its label.
using namespace composition::fragments;
constexpr Check checks[] = {
    {true, error, u" NOT ENOUGHT MEMORY "},
    {true, errorGpu, u"NOT ENOUGH VIDEOMEMORY"},
    {true, bigError, u"NOT ENOUGH MEMORY AND VIDEO MEMORY"},
    {false, noErrorFound, u"No error found "},
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
