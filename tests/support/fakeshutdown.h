#pragma once

#include "platform/shutdown/shutdown.h"

namespace quenzar::testing {

// Records power-off requests instead of making them, and answers each at once with `result`.
class FakeShutdown final : public Shutdown
{
public:
    int calls = 0;
    ShutdownResult result{true, {}};

protected:
    void request(Answered answered) override
    {
        ++calls;
        answered(result);
    }
};

} // namespace quenzar::testing
