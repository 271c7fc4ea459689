#include "platform/shutdown/shutdown_logind.h"

#include <QDBusError>
#include <QDBusMessage>

#include <utility>

namespace quenzar {

namespace {

const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginManager = QStringLiteral("org.freedesktop.login1.Manager");

// Turns a failed D-Bus call into a sentence the player can act on, keeping the bus's own words
// at the end so that a bug report carries them.
QString describeFailure(const QDBusError& error)
{
    const QString name = error.name();
    const QString details = error.message().isEmpty() ? name : error.message();
    QString what;
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
        what = QStringLiteral("The login manager (systemd-logind) is not running on this system, "
                              "so the computer cannot be shut down from here.");
        break;
    case QDBusError::AccessDenied:
        what = QStringLiteral("You are not allowed to shut this computer down.");
        break;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        what = QStringLiteral("The system did not answer the shutdown request in time.");
        break;
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
        what = QStringLiteral("The connection to the system message bus was lost.");
        break;
    default:
        // Qt has no enum values for these two. The first comes when no authentication agent
        // (password prompt) is running for this session.
        if (name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"))
            what = QStringLiteral("Shutting the computer down needs a password, but no password "
                                  "prompt could be shown.");
        else if (name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
            what = QStringLiteral("The login manager (systemd-logind) is not running on this "
                                  "system, so the computer cannot be shut down from here.");
        else
            what = QStringLiteral("The system refused to shut the computer down.");
        break;
    }
    return QStringLiteral("%1 (%2: %3)").arg(what, name, details);
}

} // namespace

LogindShutdown::LogindShutdown() = default;

LogindShutdown::LogindShutdown(QDBusConnection bus, int timeoutMs)
    : m_bus(std::move(bus)), m_timeoutMs(timeoutMs)
{}

ShutdownResult LogindShutdown::powerOff()
{
    if (!m_bus)
        m_bus = QDBusConnection::systemBus();
    if (!m_bus->isConnected()) {
        const QDBusError error = m_bus->lastError();
        QString reason = QStringLiteral("The system message bus is not available, so the computer "
                                        "cannot be shut down from here.");
        if (error.isValid())
            reason += QStringLiteral(" (%1: %2)").arg(error.name(), error.message());
        return {false, reason};
    }

    QDBusMessage call =
        QDBusMessage::createMethodCall(loginService, loginPath, loginManager, "PowerOff");
    call << true; // interactive: let polkit ask the user rather than refuse outright
    call.setInteractiveAuthorizationAllowed(true);

    // Blocking on purpose: no window event may run while the request is out, so the player
    // cannot close the window or send a second request underneath it.
    const QDBusMessage reply = m_bus->call(call, QDBus::Block, m_timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return {true, {}};
    if (reply.type() == QDBusMessage::ErrorMessage)
        return {false, describeFailure(QDBusError(reply))};
    return {false, QStringLiteral("The system gave no usable answer to the shutdown request.")};
}

std::unique_ptr<Shutdown> createSystemShutdown()
{
    return std::make_unique<LogindShutdown>();
}

} // namespace quenzar
