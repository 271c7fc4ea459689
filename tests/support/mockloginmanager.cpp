#include "mockloginmanager.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

namespace quenzar::testing {

namespace {

const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
// Owned on the private bus only; seeing it proves a connection is on that bus.
const QString markerService = QStringLiteral("org.quenzar.ShutdownTestBus");

// Debian's python3-dbusmock lives in the system interpreter, not in whatever python3 is first on
// PATH.
const QString systemPython = QStringLiteral("/usr/bin/python3");

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

QDBusConnection MockLoginManager::control() const
{
    return QDBusConnection(m_connectionPrefix + QStringLiteral("control"));
}

void MockLoginManager::startBus()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(!hasBus());
    // Until the private bus is up, the system bus address leads nowhere.
    const QByteArray nowhere = deadBusAddress().toUtf8();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", nowhere);
    qputenv("DBUS_SESSION_BUS_ADDRESS", nowhere);

    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) {
        m_unavailable =
            QStringLiteral("dbus-daemon is not installed; the private test bus cannot be started");
        return;
    }

    // A minimal bus of our own: no service activation, so nothing can be started on it behind
    // the test's back, and everything may talk to everything.
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile configFile(config);
    QVERIFY(configFile.open(QIODevice::WriteOnly));
    configFile.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC "
                                    "\"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                                    "\"http://www.freedesktop.org/standards/dbus/1.0/"
                                    "busconfig.dtd\">\n"
                                    "<busconfig>\n"
                                    "  <type>session</type>\n"
                                    "  <listen>unix:path=%1</listen>\n"
                                    "  <policy context=\"default\">\n"
                                    "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                                    "    <allow eavesdrop=\"true\"/>\n"
                                    "    <allow own=\"*\"/>\n"
                                    "  </policy>\n"
                                    "</busconfig>\n")
                         .arg(m_dir.filePath(QStringLiteral("bus")))
                         .toUtf8());
    configFile.close();

    m_busDaemon.start(daemon, {QStringLiteral("--config-file=") + config,
                               QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    QVERIFY2(m_busDaemon.waitForStarted(10000), qPrintable(m_busDaemon.errorString()));
    QDeadlineTimer deadline(10000);
    while (!m_busDaemon.canReadLine() && !deadline.hasExpired() &&
           m_busDaemon.state() == QProcess::Running)
        m_busDaemon.waitForReadyRead(100);
    QVERIFY2(m_busDaemon.canReadLine(),
             qPrintable("dbus-daemon printed no address: " + m_busDaemon.readAllStandardError()));
    const QString address = QString::fromUtf8(m_busDaemon.readLine()).trimmed();
    QVERIFY(address.startsWith(QLatin1String("unix:")));
    m_busAddress = address;

    // Anything that asks for the system bus from now on lands on the private one. The session
    // bus stays dead, so that only a request sent on the system bus can reach the mock.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_busAddress.toUtf8());

    QDBusConnection bus =
        QDBusConnection::connectToBus(m_busAddress, m_connectionPrefix + QStringLiteral("control"));
    QVERIFY2(bus.isConnected(), qPrintable(bus.lastError().message()));
    QVERIFY(bus.registerService(markerService));

    if (!QFileInfo(systemPython).isExecutable()) {
        m_unavailable = systemPython + QStringLiteral(" is missing, so the logind mock cannot run");
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
    QDBusConnection::disconnectFromBus(m_connectionPrefix + QStringLiteral("control"));
    for (int i = 0; i < m_connections; ++i)
        QDBusConnection::disconnectFromBus(m_connectionPrefix +
                                           QStringLiteral("under-test-%1").arg(i));
    m_connections = 0;
    if (m_busDaemon.state() != QProcess::NotRunning) {
        m_busDaemon.terminate();
        if (!m_busDaemon.waitForFinished(5000)) {
            m_busDaemon.kill();
            m_busDaemon.waitForFinished(5000);
        }
    }
    if (hasBus()) {
        // Whatever asks for a bus after this must not find a real one.
        const QByteArray nowhere = deadBusAddress().toUtf8();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", nowhere);
        qputenv("DBUS_SESSION_BUS_ADDRESS", nowhere);
        m_busAddress.clear();
    }
}

void MockLoginManager::start()
{
    QVERIFY2(m_unavailable.isEmpty(), qPrintable(m_unavailable));
    QVERIFY(hasBus());
    QVERIFY(m_mock.state() == QProcess::NotRunning);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The logind template puts itself on the system bus; make sure that is ours.
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_busAddress);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), deadBusAddress());
    m_mock.setProcessEnvironment(env);
    m_mock.setStandardOutputFile(QProcess::nullDevice());
    m_mock.start(systemPython, {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                                QStringLiteral("--template"), QStringLiteral("logind")});
    QVERIFY2(m_mock.waitForStarted(10000), qPrintable(m_mock.errorString()));

    QDBusConnectionInterface* bus = control().interface();
    QDeadlineTimer deadline(20000);
    while (!bus->isServiceRegistered(loginService) && !deadline.hasExpired() &&
           m_mock.state() == QProcess::Running)
        QThread::msleep(50);
    QVERIFY2(bus->isServiceRegistered(loginService),
             qPrintable("the logind mock did not come up: " + m_mock.readAllStandardError()));
}

void MockLoginManager::stop()
{
    if (m_mock.state() == QProcess::NotRunning)
        return;
    m_mock.terminate();
    if (!m_mock.waitForFinished(5000)) {
        m_mock.kill();
        m_mock.waitForFinished(5000);
    }
    // The next case must not find the old mock's name still on the bus.
    QDBusConnectionInterface* bus = control().interface();
    if (!bus)
        return;
    QDeadlineTimer deadline(5000);
    while (bus->isServiceRegistered(loginService) && !deadline.hasExpired())
        QThread::msleep(20);
}

void MockLoginManager::makePowerOffRun(const QString& pythonCode)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(loginService, loginPath, mockInterface, "AddMethod");
    call << loginManager << QStringLiteral("PowerOff") << QStringLiteral("b") << QString()
         << pythonCode;
    const QDBusMessage reply = control().call(call);
    QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
}

QList<MockLoginManager::RecordedCall> MockLoginManager::recordedCalls()
{
    QList<RecordedCall> calls;
    QDBusMessage call =
        QDBusMessage::createMethodCall(loginService, loginPath, mockInterface, "GetCalls");
    // Generous: a mock that is still sleeping in PowerOff answers only when it wakes.
    const QDBusMessage reply = control().call(call, QDBus::Block, 15000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
        qWarning() << "GetCalls failed:" << reply.errorName() << reply.errorMessage();
        return {{QStringLiteral("<GetCalls failed>"), {}}};
    }
    const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        RecordedCall recorded;
        qulonglong timestamp = 0;
        list.beginStructure();
        list >> timestamp >> recorded.method >> recorded.args;
        list.endStructure();
        calls.append(recorded);
    }
    list.endArray();
    return calls;
}

QDBusConnection MockLoginManager::connectionUnderTest()
{
    // Without the private bus, a connection that leads nowhere rather than anywhere else.
    return QDBusConnection::connectToBus(hasBus() ? m_busAddress : deadBusAddress(),
                                         m_connectionPrefix +
                                             QStringLiteral("under-test-%1").arg(m_connections++));
}

bool MockLoginManager::isPrivateBus(const QDBusConnection& bus) const
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(markerService).value();
}

} // namespace quenzar::testing
