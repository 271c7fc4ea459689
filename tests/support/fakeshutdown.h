#pragma once

#include "platform/shutdown/shutdown.h"

namespace quenzar::testing {

// Records power-off requests instead of making them.
class FakeShutdown final : public Shutdown
{
public:
    int calls = 0;
    ShutdownResult result{true, {}};

    ShutdownResult powerOff() override
    {
        ++calls;
        return result;
    }
};

} // namespace quenzar::testing
