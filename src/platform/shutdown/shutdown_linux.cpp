#include "platform/shutdown/shutdown_linux.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantList>

#include <iterator>
#include <limits>
#include <utility>

namespace quenzar {

namespace {

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");
const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString loginWho = QStringLiteral("The login manager (systemd-logind)");

// libdbus's "no timeout": the user may take as long as they like over a password prompt.
constexpr int noTimeout = std::numeric_limits<int>::max();

// A session manager's own power-off request, which shows the desktop's confirmation and lets
// the running programs save their work or object.
struct SessionManager
{
    QString service;
    QString path;
    QString interface;
    QString method;
    QVariantList arguments;
};

// First one present wins.
const SessionManager sessionManagers[] = {
    // GNOME; Cinnamon and MATE serve the same name.
    {QStringLiteral("org.gnome.SessionManager"),
     QStringLiteral("/org/gnome/SessionManager"),
     QStringLiteral("org.gnome.SessionManager"),
     QStringLiteral("Shutdown"),
     {}},
    // Plasma 5.25 and later.
    {QStringLiteral("org.kde.LogoutPrompt"),
     QStringLiteral("/LogoutPrompt"),
     QStringLiteral("org.kde.LogoutPrompt"),
     QStringLiteral("promptShutDown"),
     {}},
    // Older Plasma: always confirm (1), log out and halt (2), whoever else is logged in (2).
    {QStringLiteral("org.kde.ksmserver"),
     QStringLiteral("/KSMServer"),
     QStringLiteral("org.kde.KSMServerInterface"),
     QStringLiteral("logout"),
     {1, 2, 2}},
    // Xfce, with saving allowed.
    {QStringLiteral("org.xfce.SessionManager"),
     QStringLiteral("/org/xfce/SessionManager"),
     QStringLiteral("org.xfce.Session.Manager"),
     QStringLiteral("Shutdown"),
     {true}},
};

// Turns a failed D-Bus call into a sentence the player can act on, keeping the bus's own words
// at the end so that a bug report carries them. `who` is the service that was asked.
QString describeFailure(const QDBusError& error, const QString& who)
{
    const QString name = error.name();
    const QString details = error.message().isEmpty() ? name : error.message();
    QString what;
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
        what = QStringLiteral("%1 is not running on this system, so the computer cannot be shut "
                              "down from here.")
                   .arg(who);
        break;
    case QDBusError::AccessDenied:
        what = QStringLiteral("You are not allowed to shut this computer down.");
        break;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        what = QStringLiteral("%1 did not answer the shutdown request in time.").arg(who);
        break;
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
        what = QStringLiteral("The connection to the message bus was lost.");
        break;
    default:
        // Qt has no enum values for these two. The first comes when no authentication agent
        // (password prompt) is running for this session.
        if (name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"))
            what = QStringLiteral("Shutting the computer down needs a password, but no password "
                                  "prompt could be shown.");
        else if (name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
            what = QStringLiteral("%1 is not running on this system, so the computer cannot be "
                                  "shut down from here.")
                       .arg(who);
        else
            what = QStringLiteral("%1 refused to shut the computer down.").arg(who);
        break;
    }
    return QStringLiteral("%1 (%2: %3)").arg(what, name, details);
}

ShutdownResult outcome(const QDBusMessage& reply, const QString& who)
{
    if (reply.type() == QDBusMessage::ReplyMessage)
        return {true, {}};
    if (reply.type() == QDBusMessage::ErrorMessage)
        return {false, describeFailure(QDBusError(reply), who)};
    return {false, QStringLiteral("The system gave no usable answer to the shutdown request.")};
}

} // namespace

LinuxShutdown::LinuxShutdown() = default;

LinuxShutdown::LinuxShutdown(QDBusConnection sessionBus, QDBusConnection systemBus,
                             int sessionTimeoutMs)
    : m_session(std::move(sessionBus)), m_system(std::move(systemBus)),
      m_sessionTimeoutMs(sessionTimeoutMs)
{}

void LinuxShutdown::request(Answered answered)
{
    if (!m_session)
        m_session = QDBusConnection::sessionBus();
    askSessionManager(0, std::move(answered));
}

void LinuxShutdown::askSessionManager(std::size_t index, Answered answered)
{
    // Without a session bus (a bare X session, a console) there is no desktop to ask.
    if (index == std::size(sessionManagers) || !m_session->isConnected()) {
        askLoginManager(std::move(answered));
        return;
    }
    // Looked up first: calling a name that the bus can activate would start a session manager
    // this desktop does not run.
    QDBusMessage lookUp =
        QDBusMessage::createMethodCall(busService, busPath, busService, "NameHasOwner");
    lookUp << sessionManagers[index].service;
    whenAnswered(m_session->asyncCall(lookUp, m_sessionTimeoutMs),
                 [this, index, answered = std::move(answered)](const QDBusMessage& reply) {
                     if (reply.type() == QDBusMessage::ReplyMessage &&
                         reply.arguments().value(0).toBool())
                         callSessionManager(index, answered);
                     else
                         askSessionManager(index + 1, answered);
                 });
}

void LinuxShutdown::callSessionManager(std::size_t index, Answered answered)
{
    const SessionManager& manager = sessionManagers[index];
    QDBusMessage call = QDBusMessage::createMethodCall(manager.service, manager.path,
                                                       manager.interface, manager.method);
    call.setArguments(manager.arguments);
    const QString who = QStringLiteral("The desktop's session manager (%1)").arg(manager.service);
    whenAnswered(m_session->asyncCall(call, m_sessionTimeoutMs),
                 [answered = std::move(answered), who](const QDBusMessage& reply) {
                     answered(outcome(reply, who));
                 });
}

void LinuxShutdown::askLoginManager(Answered answered)
{
    if (!m_system)
        m_system = QDBusConnection::systemBus();
    if (!m_system->isConnected()) {
        const QDBusError error = m_system->lastError();
        QString reason = QStringLiteral("The system message bus is not available, so the computer "
                                        "cannot be shut down from here.");
        if (error.isValid())
            reason += QStringLiteral(" (%1: %2)").arg(error.name(), error.message());
        answered({false, reason});
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(loginService, loginPath, loginManager, "PowerOff");
    call << true; // interactive: let polkit ask the user rather than refuse outright
    call.setInteractiveAuthorizationAllowed(true);
    whenAnswered(m_system->asyncCall(call, noTimeout),
                 [answered = std::move(answered)](const QDBusMessage& reply) {
                     answered(outcome(reply, loginWho));
                 });
}

void LinuxShutdown::whenAnswered(const QDBusPendingCall& call,
                                 std::function<void(const QDBusMessage&)> then)
{
    auto* watcher = new QDBusPendingCallWatcher(call, &m_calls);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [then = std::move(then)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         then(finished->reply());
                     });
}

std::unique_ptr<Shutdown> createSystemShutdown()
{
    return std::make_unique<LinuxShutdown>();
}

} // namespace quenzar
