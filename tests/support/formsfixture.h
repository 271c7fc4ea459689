#pragma once

#include "fakeshutdown.h"
#include "scripteddialogs.h"

#include "app/registerforms.h"
#include "editor/frmEdit.h"
#include "forms/forms.h"
#include "tweak/frmD3Tweak.h"
#include "welcome/frmFirst.h"

#include <QCoreApplication>
#include <QEvent>

namespace quenzar::testing {

// The three forms as the program defines them, over scripted dialogs and a recording shutdown.
// End is counted instead of leaving the test.
struct FormsFixture
{
    ScriptedDialogs dialogs;
    FakeShutdown shutdown;
    int ends = 0;
    Forms forms{[this] { ++ends; }};
    Services services{forms, dialogs, shutdown};

    FormsFixture() { registerForms(services); }

    // Lets forms closed or ended a moment ago actually go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace quenzar::testing
