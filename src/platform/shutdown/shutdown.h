#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace quenzar {

// The outcome of asking the operating system to power the computer off.
struct ShutdownResult
{
    bool requested = false; // the operating system accepted the request
    QString reason;         // why not, in words the player can read, when it did not
    // No answer has come for a long while: the request is still out and may yet be granted;
    // `reason` says so. The real answer may follow later.
    bool stillWaiting = false;
};

// The operating system's own shutdown service, behind one small seam so that tests never reach
// the real machine.
class Shutdown
{
public:
    using Answered = std::function<void(const ShutdownResult&)>;

    virtual ~Shutdown() = default;

    // Asks for the power-off without waiting for the answer: a desktop's confirmation or a
    // password prompt may keep it for as long as the user likes. `answered` runs on this thread
    // when the answer comes (at once, on systems that answer at once). Where the answer is long
    // in coming it runs first with `stillWaiting` set, and once more if the answer comes before
    // a new request. While a request is pending, a further one is dropped: `answered` does not
    // run for it.
    void requestPowerOff(Answered answered)
    {
        if (m_pending)
            return;
        m_pending = true;
        request([this, answered = std::move(answered)](const ShutdownResult& result) {
            m_pending = false;
            if (answered)
                answered(result);
        });
    }

    // A request is out and the player has been told nothing about it yet.
    bool pending() const { return m_pending; }

protected:
    // Sends the request; `answered` must run once, unless this object is destroyed first (or,
    // as above, once with `stillWaiting` and once more).
    virtual void request(Answered answered) = 0;

private:
    bool m_pending = false;
};

// The implementation for the platform the program was built for.
std::unique_ptr<Shutdown> createSystemShutdown();

} // namespace quenzar
