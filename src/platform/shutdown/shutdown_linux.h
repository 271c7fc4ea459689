#pragma once

#include "platform/shutdown/shutdown.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QDBusMessage;

namespace quenzar {

// Powers the computer off the way the desktop's own "Shut down" entry does. The desktop's session
// manager is asked first: it asks the running programs, honours their objections and shows its
// own confirmation. Without one, systemd-logind is asked, which checks with polkit and may show
// the user a password prompt first.
//
// A bus that accepts a connection and then keeps quiet never stalls the window: connections are
// made on threads of their own, and the request is sent only once the bus (and, for logind, the
// service) has just answered. One that has not within `reachMs` is given up for good: nothing
// is sent on it, even if it wakes later.
class LinuxShutdown final : public Shutdown
{
public:
    struct Timing
    {
        int reachMs = 5000;        // connecting and a first answer from the bus or the service
        int sessionMs = 5000;      // a session manager answers at once and asks afterwards
        int loginNoticeMs = 30000; // then the player hears that logind has not answered yet
    };

    // The session and system buses, reached only when the player asks to power off: nobody
    // pays for the connections at start-up.
    LinuxShutdown();
    // Bus addresses; an empty one stands for the session's or the system's own bus.
    LinuxShutdown(QString sessionBus, QString systemBus, Timing timing);
    ~LinuxShutdown() override;

protected:
    void request(Answered answered) override;

private:
    struct Dial;
    using Reply = std::optional<QDBusMessage>; // nothing: no answer in time
    using Connected = std::optional<QDBusConnection>;

    void connect(const QString& address, QDBusConnection::BusType type,
                 std::function<void(Connected)> then);
    void call(const QDBusConnection& bus, const QDBusMessage& message, int withinMs,
              std::function<void(const Reply&)> then);
    void askSessionManager(QDBusConnection bus, std::size_t index, Answered answered);
    void callSessionManager(QDBusConnection bus, std::size_t index, Answered answered);
    void askLoginManager(Answered answered);
    void sendPowerOff(QDBusConnection bus);

    QString m_sessionAddress;
    QString m_systemAddress;
    Timing m_timing;
    std::vector<std::weak_ptr<Dial>> m_dials;
    // A PowerOff that is out, and whoever waits for its answer now. It stays out when the player
    // has been told that no answer has come: a new request then waits for it again rather than
    // sending a second one.
    bool m_loginOut = false;
    Answered m_loginWaiter;
    std::optional<QDBusConnection> m_loginBus;
    QTimer m_loginNotice;
    // Parent of the calls in flight: an answer that comes after this object is gone is dropped.
    QObject m_calls;
};

} // namespace quenzar
