#include "platform/shutdown/shutdown.h"
#include "platform/shutdown/shutdown_windows_api.h"

namespace quenzar {

namespace {

class WindowsShutdown : public Shutdown
{
public:
    ShutdownResult powerOff() override
    {
        const winapi::PowerOffRequest request = winapi::requestPowerOff();
        return {request.requested, QString::fromStdWString(request.reason)};
    }
};

} // namespace

std::unique_ptr<Shutdown> createSystemShutdown()
{
    return std::make_unique<WindowsShutdown>();
}

} // namespace quenzar
