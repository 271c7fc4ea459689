#include "platform/shutdown/shutdown_linux.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QMetaObject>
#include <QVariantList>

#include <atomic>
#include <iterator>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>

namespace quenzar {

namespace {

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");
const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString loginWho = QStringLiteral("The login manager (systemd-logind)");
const QString sessionBusWho = QStringLiteral("The desktop's message bus (the session bus)");
const QString systemBusWho = QStringLiteral("The system message bus");

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

// A service or bus that kept quiet too long: the request was never sent and never will be.
ShutdownResult silent(const QString& who)
{
    return {false, QStringLiteral("%1 did not answer; nothing was sent.").arg(who)};
}

// Answered by the service's D-Bus library itself, at once, whatever the service is busy with.
QDBusMessage ping(const QString& service)
{
    return QDBusMessage::createMethodCall(service, QStringLiteral("/"),
                                          QStringLiteral("org.freedesktop.DBus.Peer"), "Ping");
}

bool notThere(const QDBusMessage& reply)
{
    const QString name = reply.errorName();
    return name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
}

// Connections being made on other threads now. Only this thread starts them, so when none is
// underway, none can start before this thread's next step.
std::atomic<int> connecting{0};

// Closing a connection waits for Qt's lock on all connections, which a connection still being
// made to a silent bus holds for as long as the bus keeps quiet: then it is closed on a thread
// of its own.
void closeOffThread(const QString& name)
{
    if (connecting == 0)
        QDBusConnection::disconnectFromBus(name);
    else
        std::thread([name] { QDBusConnection::disconnectFromBus(name); }).detach();
}

void release(std::optional<QDBusConnection>& bus)
{
    if (!bus)
        return;
    const QString name = bus->name();
    bus.reset();
    closeOffThread(name);
}

std::atomic<int> dialled{0};

} // namespace

// A connection being made on another thread. Whichever comes first settles it: the connection,
// or the window's thread giving up on it, after which the connection is closed unused.
struct LinuxShutdown::Dial
{
    std::mutex mutex;
    bool settled = false;
    QString name;      // of the connection
    bool made = false; // the connection exists and is closed by whoever gives up
};

LinuxShutdown::LinuxShutdown() : LinuxShutdown(QString(), QString(), Timing{}) {}

LinuxShutdown::LinuxShutdown(QString sessionBus, QString systemBus, Timing timing)
    : m_sessionAddress(std::move(sessionBus)), m_systemAddress(std::move(systemBus)),
      m_timing(timing)
{
    m_loginNotice.setSingleShot(true);
    QObject::connect(&m_loginNotice, &QTimer::timeout, &m_calls, [this] {
        if (!m_loginWaiter)
            return;
        // The waiter stays: it hears the real answer too, unless a new request comes first.
        m_loginWaiter({false,
                       QStringLiteral("%1 has not answered the shutdown request yet; it may be "
                                      "waiting for a password. The computer may still switch "
                                      "off if it answers.")
                           .arg(loginWho),
                       true});
    });
}

LinuxShutdown::~LinuxShutdown()
{
    for (const std::weak_ptr<Dial>& weak : m_dials) {
        const std::shared_ptr<Dial> dial = weak.lock();
        if (!dial)
            continue;
        const std::lock_guard lock(dial->mutex);
        if (dial->made)
            closeOffThread(dial->name);
        dial->settled = true;
    }
    release(m_loginBus);
}

void LinuxShutdown::connect(const QString& address, QDBusConnection::BusType type,
                            std::function<void(Connected)> then)
{
    auto dial = std::make_shared<Dial>();
    dial->name = QStringLiteral("quenzar-shutdown-%1").arg(++dialled);
    std::erase_if(m_dials, [](const std::weak_ptr<Dial>& weak) { return weak.expired(); });
    m_dials.push_back(dial);
    auto shared = std::make_shared<std::function<void(Connected)>>(std::move(then));

    QTimer::singleShot(m_timing.reachMs, &m_calls, [dial, shared] {
        {
            const std::lock_guard lock(dial->mutex);
            if (dial->settled)
                return;
            dial->settled = true;
            if (dial->made)
                closeOffThread(dial->name);
        }
        (*shared)(std::nullopt);
    });
    ++connecting;
    std::thread([dial, shared, address, type, context = &m_calls] {
        QDBusConnection bus = address.isEmpty()
                                  ? QDBusConnection::connectToBus(type, dial->name)
                                  : QDBusConnection::connectToBus(address, dial->name);
        --connecting;
        std::unique_lock lock(dial->mutex);
        if (dial->settled) {
            // Given up on: the bus woke too late, and nothing is sent on it.
            lock.unlock();
            bus = QDBusConnection(QString());
            QDBusConnection::disconnectFromBus(dial->name);
            return;
        }
        dial->made = true;
        // Posted while the lock is held, so `context` still lives: it is only destroyed after
        // every dial has been settled.
        QMetaObject::invokeMethod(
            context,
            [dial, shared, bus] {
                {
                    const std::lock_guard lock(dial->mutex);
                    if (dial->settled)
                        return;
                    dial->settled = true;
                }
                (*shared)(bus);
            },
            Qt::QueuedConnection);
    }).detach();
}

void LinuxShutdown::call(const QDBusConnection& bus, const QDBusMessage& message, int withinMs,
                         std::function<void(const Reply&)> then)
{
    // Qt's own timeout runs on its bus thread, which a silent bus may hold up; this one runs here.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, withinMs + 1000), &m_calls);
    auto shared = std::make_shared<std::function<void(const Reply&)>>(std::move(then));
    // The answer and the timer can both be due in one pass of the event loop: whichever runs
    // first takes `then`, so the other finds nothing to call.
    QTimer::singleShot(withinMs, watcher, [watcher, shared] {
        watcher->deleteLater();
        watcher->disconnect();
        if (const auto then = std::exchange(*shared, {}))
            then(std::nullopt);
    });
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [shared](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         finished->disconnect();
                         const auto then = std::exchange(*shared, {});
                         if (!then)
                             return;
                         const QDBusMessage reply = finished->reply();
                         const QDBusError::ErrorType error = QDBusError(reply).type();
                         if (error == QDBusError::NoReply || error == QDBusError::Timeout ||
                             error == QDBusError::TimedOut)
                             then(std::nullopt);
                         else
                             then(reply);
                     });
}

void LinuxShutdown::request(Answered answered)
{
    // The last PowerOff is still out: wait for its answer again rather than send another.
    if (m_loginOut) {
        m_loginWaiter = std::move(answered);
        m_loginNotice.start(m_timing.loginNoticeMs);
        return;
    }
    connect(m_sessionAddress, QDBusConnection::SessionBus,
            [this, answered = std::move(answered)](Connected bus) {
                if (!bus) {
                    answered(silent(sessionBusWho));
                } else if (!bus->isConnected()) {
                    // Without a session bus (a bare X session, a console) there is no desktop to
                    // ask.
                    release(bus);
                    askLoginManager(answered);
                } else {
                    askSessionManager(*bus, 0, answered);
                }
            });
}

void LinuxShutdown::askSessionManager(QDBusConnection bus, std::size_t index, Answered answered)
{
    std::optional<QDBusConnection> held = bus;
    if (index == std::size(sessionManagers)) {
        release(held);
        askLoginManager(std::move(answered));
        return;
    }
    // Looked up first: calling a name that the bus can activate would start a session manager
    // this desktop does not run. The answer also shows that the bus is awake just now.
    QDBusMessage lookUp =
        QDBusMessage::createMethodCall(busService, busPath, busService, "NameHasOwner");
    lookUp << sessionManagers[index].service;
    call(bus, lookUp, m_timing.reachMs,
         [this, bus, index, answered = std::move(answered)](const Reply& reply) {
             std::optional<QDBusConnection> held = bus;
             if (!reply) {
                 release(held);
                 answered(silent(sessionBusWho));
                 return;
             }
             if (reply->type() != QDBusMessage::ReplyMessage ||
                 !reply->arguments().value(0).toBool()) {
                 askSessionManager(bus, index + 1, answered);
                 return;
             }
             callSessionManager(bus, index, answered);
         });
}

void LinuxShutdown::callSessionManager(QDBusConnection bus, std::size_t index, Answered answered)
{
    const SessionManager& manager = sessionManagers[index];
    const QString who = QStringLiteral("The desktop's session manager (%1)").arg(manager.service);
    // As with logind: a desktop that wakes after the player was told finds nothing to act on
    // (GNOME's dialog switches off by itself after a minute).
    call(bus, ping(manager.service), m_timing.reachMs,
         [this, bus, index, answered, who](const Reply& awake) {
             std::optional<QDBusConnection> held = bus;
             if (!awake) {
                 release(held);
                 answered(silent(who));
                 return;
             }
             const SessionManager& manager = sessionManagers[index];
             QDBusMessage shutdown = QDBusMessage::createMethodCall(
                 manager.service, manager.path, manager.interface, manager.method);
             shutdown.setArguments(manager.arguments);
             call(bus, shutdown, m_timing.sessionMs,
                  [held, answered, who](const Reply& reply) mutable {
                      release(held);
                      answered(
                          reply ? outcome(*reply, who)
                                : ShutdownResult{false, QStringLiteral("%1 did not answer the "
                                                                       "shutdown request in time.")
                                                            .arg(who)});
                  });
         });
}

void LinuxShutdown::askLoginManager(Answered answered)
{
    connect(m_systemAddress, QDBusConnection::SystemBus,
            [this, answered = std::move(answered)](Connected bus) {
                if (!bus) {
                    answered(silent(systemBusWho));
                    return;
                }
                std::optional<QDBusConnection> held = bus;
                if (!bus->isConnected()) {
                    const QDBusError error = bus->lastError();
                    release(held);
                    QString reason = QStringLiteral("The system message bus is not available, so "
                                                    "the computer cannot be shut down from here.");
                    if (error.isValid())
                        reason += QStringLiteral(" (%1: %2)").arg(error.name(), error.message());
                    answered({false, reason});
                    return;
                }
                // PowerOff goes out only to a login manager that has just answered: one that
                // wakes after the player was told must find nothing to act on.
                call(*bus, ping(loginService), m_timing.reachMs,
                     [this, held, answered](const Reply& reply) mutable {
                         if (!reply || notThere(*reply)) {
                             release(held);
                             answered(reply ? outcome(*reply, loginWho) : silent(loginWho));
                             return;
                         }
                         m_loginOut = true;
                         m_loginWaiter = answered;
                         m_loginBus = held;
                         sendPowerOff(*held);
                     });
            });
}

void LinuxShutdown::sendPowerOff(QDBusConnection bus)
{
    QDBusMessage powerOff =
        QDBusMessage::createMethodCall(loginService, loginPath, loginManager, "PowerOff");
    powerOff << true; // interactive: let polkit ask the user rather than refuse outright
    powerOff.setInteractiveAuthorizationAllowed(true);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(powerOff, noTimeout), &m_calls);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [this](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         m_loginNotice.stop();
                         m_loginOut = false;
                         release(m_loginBus);
                         if (const Answered waiter = std::exchange(m_loginWaiter, {}))
                             waiter(outcome(finished->reply(), loginWho));
                     });
    m_loginNotice.start(m_timing.loginNoticeMs);
}

std::unique_ptr<Shutdown> createSystemShutdown()
{
    return std::make_unique<LinuxShutdown>();
}

} // namespace quenzar
