#include "mockloginmanager.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quenzar::testing {

namespace {

const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
// Owned on the private buses only; seeing it proves a connection is on one of them.
const QString markerService = QStringLiteral("org.quenzar.ShutdownTestBus");

// Debian's python3-dbusmock lives in the system interpreter, not in whatever python3 is first on
// PATH.
const QString systemPython = QStringLiteral("/usr/bin/python3");

bool waitForName(QDBusConnectionInterface* bus, const QString& name, bool owned, int ms,
                 const QProcess* owner = nullptr)
{
    QDeadlineTimer deadline(ms);
    while (bus->isServiceRegistered(name).value() != owned && !deadline.hasExpired() &&
           (!owner || owner->state() == QProcess::Running))
        QThread::msleep(20);
    return bus->isServiceRegistered(name).value() == owned;
}

} // namespace

MockLoginManager::MockLoginManager()
    : m_connectionPrefix(QStringLiteral("mock-login-%1-").arg(quintptr(this), 0, 16))
{}

MockLoginManager::~MockLoginManager()
{
    stopBus();
}

QString MockLoginManager::deadBusAddress() const
{
    return QStringLiteral("unix:path=") + m_dir.filePath(QStringLiteral("no-bus-here"));
}

QString MockLoginManager::controlName(Bus bus) const
{
    return m_connectionPrefix +
           (bus == Bus::System ? QStringLiteral("system") : QStringLiteral("session"));
}

QDBusConnection MockLoginManager::control(Bus bus) const
{
    return QDBusConnection(controlName(bus));
}

void MockLoginManager::startDaemon(Daemon& daemon, const QString& name)
{
    const QString executable = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (executable.isEmpty()) {
        m_unavailable =
            QStringLiteral("dbus-daemon is not installed; the private test bus cannot be started");
        return;
    }
    // A minimal bus of our own, where everything may talk to everything. The session bus can
    // start one service, GNOME's session manager, so that a call that does not look first shows:
    // the start only leaves a mark.
    const QString services = m_dir.filePath(name + QStringLiteral("-services"));
    QVERIFY(QDir().mkpath(services));
    if (name.startsWith(QLatin1String("session"))) {
        QFile service(services + QStringLiteral("/org.gnome.SessionManager.service"));
        QVERIFY(service.open(QIODevice::WriteOnly));
        service.write(QStringLiteral("[D-BUS Service]\nName=org.gnome.SessionManager\n"
                                     "Exec=/usr/bin/touch %1\n")
                          .arg(m_dir.filePath(QStringLiteral("activated")))
                          .toUtf8());
    }
    const QString config = m_dir.filePath(name + QStringLiteral(".conf"));
    QFile configFile(config);
    QVERIFY(configFile.open(QIODevice::WriteOnly));
    configFile.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC "
                                    "\"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                                    "\"http://www.freedesktop.org/standards/dbus/1.0/"
                                    "busconfig.dtd\">\n"
                                    "<busconfig>\n"
                                    "  <type>session</type>\n"
                                    "  <listen>unix:path=%1</listen>\n"
                                    "  <servicedir>%2</servicedir>\n"
                                    "  <policy context=\"default\">\n"
                                    "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                                    "    <allow eavesdrop=\"true\"/>\n"
                                    "    <allow own=\"*\"/>\n"
                                    "  </policy>\n"
                                    "</busconfig>\n")
                         .arg(m_dir.filePath(name), services)
                         .toUtf8());
    configFile.close();

    QProcess& process = daemon.process;
    process.start(executable, {QStringLiteral("--config-file=") + config,
                               QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    QVERIFY2(process.waitForStarted(10000), qPrintable(process.errorString()));
    QDeadlineTimer deadline(10000);
    while (!process.canReadLine() && !deadline.hasExpired() && process.state() == QProcess::Running)
        process.waitForReadyRead(100);
    QVERIFY2(process.canReadLine(),
             qPrintable("dbus-daemon printed no address: " + process.readAllStandardError()));
    const QString address = QString::fromUtf8(process.readLine()).trimmed();
    QVERIFY(address.startsWith(QLatin1String("unix:")));
    daemon.address = address;
}

void MockLoginManager::startBus()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(!hasBus());
    // Until the private buses are up, both addresses lead nowhere.
    const QByteArray nowhere = deadBusAddress().toUtf8();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", nowhere);
    qputenv("DBUS_SESSION_BUS_ADDRESS", nowhere);

    startDaemon(m_system, QStringLiteral("system-bus"));
    if (QTest::currentTestFailed() || !m_unavailable.isEmpty())
        return;
    startDaemon(m_session, QStringLiteral("session-bus"));
    if (QTest::currentTestFailed())
        return;

    // Anything that asks for a bus from now on lands on a private one.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_system.address.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_session.address.toUtf8());

    for (const Bus bus : {Bus::System, Bus::Session}) {
        QDBusConnection connection = QDBusConnection::connectToBus(
            bus == Bus::System ? m_system.address : m_session.address, controlName(bus));
        QVERIFY2(connection.isConnected(), qPrintable(connection.lastError().message()));
        QVERIFY(connection.registerService(markerService));
    }

    if (!QFileInfo(systemPython).isExecutable()) {
        m_unavailable = systemPython + QStringLiteral(" is missing, so the mocks cannot run");
    } else {
        QProcess probe;
        probe.start(systemPython, {QStringLiteral("-c"), QStringLiteral("import dbusmock, gi")});
        if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            m_unavailable = systemPython +
                            QStringLiteral(" cannot import dbusmock (install "
                                           "python3-dbusmock): ") +
                            QString::fromLocal8Bit(probe.readAllStandardError()).trimmed();
    }
}

void MockLoginManager::stopBus()
{
    stop();
    for (const Bus bus : {Bus::System, Bus::Session})
        QDBusConnection::disconnectFromBus(controlName(bus));
    for (int i = 0; i < m_connections; ++i)
        QDBusConnection::disconnectFromBus(m_connectionPrefix +
                                           QStringLiteral("under-test-%1").arg(i));
    m_connections = 0;
    for (Daemon* daemon : {&m_system, &m_session}) {
        if (daemon->process.state() != QProcess::NotRunning) {
            daemon->process.terminate();
            if (!daemon->process.waitForFinished(5000)) {
                daemon->process.kill();
                daemon->process.waitForFinished(5000);
            }
        }
        daemon->address.clear();
    }
    // Whatever asks for a bus after this must not find a real one.
    const QByteArray nowhere = deadBusAddress().toUtf8();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", nowhere);
    qputenv("DBUS_SESSION_BUS_ADDRESS", nowhere);
}

void MockLoginManager::spawnMock(Bus bus, const QString& service, const QString& path,
                                 QStringList arguments)
{
    QVERIFY2(m_unavailable.isEmpty(), qPrintable(m_unavailable));
    QVERIFY(hasBus());
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_system.address);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_session.address);
    process->setProcessEnvironment(env);
    process->setStandardOutputFile(QProcess::nullDevice());
    arguments.prepend(QStringLiteral("dbusmock"));
    arguments.prepend(QStringLiteral("-m"));
    process->start(systemPython, arguments);
    QVERIFY2(process->waitForStarted(10000), qPrintable(process->errorString()));
    QProcess* started = process.get();
    m_mocks.push_back({std::move(process), bus, service, path});
    QVERIFY2(waitForName(control(bus).interface(), service, true, 20000, started),
             qPrintable(service + " did not come up: " + started->readAllStandardError()));
}

void MockLoginManager::start()
{
    spawnMock(Bus::System, loginService, loginPath,
              {QStringLiteral("--template"), QStringLiteral("logind")});
}

void MockLoginManager::startSessionManager(const QString& service, const QString& path,
                                           const QString& interface, const QString& method,
                                           const QString& signature, const QString& pythonCode)
{
    spawnMock(Bus::Session, service, path, {QStringLiteral("--session"), service, path, interface});
    if (!QTest::currentTestFailed())
        addMethod(Bus::Session, service, path, interface, method, signature, pythonCode);
}

void MockLoginManager::stop()
{
    resume();
    QFile::remove(m_dir.filePath(QStringLiteral("activated")));
    for (Mock& mock : m_mocks) {
        mock.process->terminate();
        if (!mock.process->waitForFinished(5000)) {
            mock.process->kill();
            mock.process->waitForFinished(5000);
        }
        // The next case must not find the old mock's name still on the bus.
        if (QDBusConnectionInterface* bus = control(mock.bus).interface())
            waitForName(bus, mock.service, false, 5000);
    }
    m_mocks.clear();
}

void MockLoginManager::addMethod(Bus bus, const QString& service, const QString& path,
                                 const QString& interface, const QString& method,
                                 const QString& signature, const QString& pythonCode)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, mockInterface, "AddMethod");
    call << interface << method << signature << QString() << pythonCode;
    const QDBusMessage reply = control(bus).call(call);
    QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
}

void MockLoginManager::makePowerOffRun(const QString& pythonCode)
{
    addMethod(Bus::System, loginService, loginPath, loginManager, QStringLiteral("PowerOff"),
              QStringLiteral("b"), pythonCode);
}

QStringList MockLoginManager::calls()
{
    QStringList calls;
    for (const Mock& mock : m_mocks) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(mock.service, mock.path, mockInterface, "GetCalls");
        // Generous: a mock that is still sleeping in a method answers only when it wakes.
        const QDBusMessage reply = control(mock.bus).call(call, QDBus::Block, 15000);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
            qWarning() << "GetCalls failed:" << reply.errorName() << reply.errorMessage();
            return {QStringLiteral("<GetCalls failed>")};
        }
        const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            qulonglong timestamp = 0;
            QString method;
            QVariantList args;
            list.beginStructure();
            list >> timestamp >> method >> args;
            list.endStructure();
            QStringList shown;
            for (const QVariant& arg : args)
                shown.append(arg.toString());
            calls.append(QStringLiteral("%1 %2(%3)")
                             .arg(mock.service, method, shown.join(QStringLiteral(", "))));
        }
        list.endArray();
    }
    return calls;
}

QDBusConnection MockLoginManager::connectionUnderTest(Bus bus)
{
    const QString& address = bus == Bus::System ? m_system.address : m_session.address;
    // Without the private bus, a connection that leads nowhere rather than anywhere else.
    return QDBusConnection::connectToBus(hasBus() ? address : deadBusAddress(),
                                         m_connectionPrefix +
                                             QStringLiteral("under-test-%1").arg(m_connections++));
}

QString MockLoginManager::address(Bus bus) const
{
    return bus == Bus::System ? m_system.address : m_session.address;
}

void MockLoginManager::pause(Bus bus)
{
    const qint64 pid = (bus == Bus::System ? m_system : m_session).process.processId();
    QVERIFY(pid > 0 && ::kill(pid_t(pid), SIGSTOP) == 0);
    m_paused.push_back(pid);
}

void MockLoginManager::pauseMock(const QString& service)
{
    for (const Mock& mock : m_mocks) {
        if (mock.service == service && ::kill(pid_t(mock.process->processId()), SIGSTOP) == 0) {
            m_paused.push_back(mock.process->processId());
            return;
        }
    }
    QFAIL(qPrintable(service + " is not running, so it cannot be paused"));
}

QString MockLoginManager::silentBusAddress()
{
    // Listening, with room for the callers, but never accepting: a caller's connection is made
    // and then nothing is ever said on it.
    const QByteArray path = QFile::encodeName(m_dir.filePath(QStringLiteral("silent-bus")));
    if (m_silentSocket < 0) {
        sockaddr_un where{};
        where.sun_family = AF_UNIX;
        qstrncpy(where.sun_path, path.constData(), sizeof where.sun_path);
        m_silentSocket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (::bind(m_silentSocket, reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0 ||
            ::listen(m_silentSocket, 16) != 0)
            qWarning() << "the silent bus cannot listen:" << qt_error_string(errno);
    }
    return QStringLiteral("unix:path=") + QFile::decodeName(path);
}

bool MockLoginManager::resume()
{
    const bool paused = !m_paused.empty() || m_silentSocket >= 0;
    for (const qint64 pid : m_paused)
        ::kill(pid_t(pid), SIGCONT);
    m_paused.clear();
    // Whoever still waits on the silent socket hears it close.
    if (m_silentSocket >= 0) {
        ::close(m_silentSocket);
        QFile::remove(m_dir.filePath(QStringLiteral("silent-bus")));
        m_silentSocket = -1;
    }
    return paused;
}

bool MockLoginManager::activated() const
{
    return QFileInfo::exists(m_dir.filePath(QStringLiteral("activated")));
}

bool MockLoginManager::isPrivateBus(const QDBusConnection& bus) const
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(markerService).value();
}

} // namespace quenzar::testing
