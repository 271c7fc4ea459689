#pragma once

#include <QString>

#include <memory>

namespace quenzar {

// The outcome of asking the operating system to power the computer off.
struct ShutdownResult
{
    bool requested = false; // the operating system accepted the request
    QString reason;         // why not, in words the player can read, when it did not
};

// The operating system's own shutdown service, behind one small seam so that tests never reach
// the real machine.
class Shutdown
{
public:
    virtual ~Shutdown() = default;
    virtual ShutdownResult powerOff() = 0;
};

// The implementation for the platform the program was built for.
std::unique_ptr<Shutdown> createSystemShutdown();

} // namespace quenzar
