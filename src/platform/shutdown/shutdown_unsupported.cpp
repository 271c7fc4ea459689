#include "platform/shutdown/shutdown.h"

namespace quenzar {

namespace {

// Builds for systems without a shutdown service this program knows how to ask.
class UnsupportedShutdown : public Shutdown
{
protected:
    void request(Answered answered) override
    {
        answered({false, QStringLiteral("Shutting the computer down is not available on this "
                                        "system. Please shut it down yourself.")});
    }
};

} // namespace

std::unique_ptr<Shutdown> createSystemShutdown()
{
    return std::make_unique<UnsupportedShutdown>();
}

} // namespace quenzar
