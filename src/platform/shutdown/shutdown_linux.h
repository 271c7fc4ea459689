#pragma once

#include "platform/shutdown/shutdown.h"

#include <QDBusConnection>
#include <QObject>

#include <cstddef>
#include <functional>
#include <optional>

class QDBusMessage;
class QDBusPendingCall;

namespace quenzar {

// Powers the computer off the way the desktop's own "Shut down" entry does. The desktop's session
// manager is asked first: it asks the running programs, honours their objections and shows its
// own confirmation. Without one, systemd-logind is asked, which checks with polkit and may show
// the user a password prompt first.
class LinuxShutdown final : public Shutdown
{
public:
    // A session manager answers at once and shows its dialog afterwards; one that keeps quiet
    // this long is stuck.
    static constexpr int defaultSessionTimeoutMs = 5000;

    // The session and system buses, reached only when the player asks to power off: nobody
    // pays for the connections at start-up.
    LinuxShutdown();
    LinuxShutdown(QDBusConnection sessionBus, QDBusConnection systemBus,
                  int sessionTimeoutMs = defaultSessionTimeoutMs);

protected:
    void request(Answered answered) override;

private:
    void askSessionManager(std::size_t index, Answered answered);
    void callSessionManager(std::size_t index, Answered answered);
    void askLoginManager(Answered answered);
    void whenAnswered(const QDBusPendingCall& call, std::function<void(const QDBusMessage&)> then);

    std::optional<QDBusConnection> m_session;
    std::optional<QDBusConnection> m_system;
    int m_sessionTimeoutMs = defaultSessionTimeoutMs;
    // Parent of the calls in flight: an answer that comes after this object is gone is dropped.
    QObject m_calls;
};

} // namespace quenzar
