#include "platform/shutdown/shutdown.h"
#include "platform/shutdown/shutdown_windows_api.h"

namespace quenzar {

namespace {

// Windows answers at once: it either starts the ordinary shutdown, which then asks every running
// program whether it may end, or says why not.
class WindowsShutdown : public Shutdown
{
protected:
    void request(Answered answered) override
    {
        const winapi::PowerOffRequest outcome = winapi::requestPowerOff();
        answered({outcome.requested, QString::fromStdWString(outcome.reason)});
    }
};

} // namespace

std::unique_ptr<Shutdown> createSystemShutdown()
{
    return std::make_unique<WindowsShutdown>();
}

} // namespace quenzar
