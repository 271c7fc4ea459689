#include "platform/shutdown/shutdown_logind.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

using quenzar::LogindShutdown;
using quenzar::ShutdownResult;

namespace {

const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
// Owned by the test on its private bus only; seeing it proves a connection is on that bus.
const QString markerService = QStringLiteral("org.quenzar.ShutdownTestBus");

// Debian's python3-dbusmock lives in the system interpreter, not in whatever python3 is first on
// PATH.
const QString systemPython = QStringLiteral("/usr/bin/python3");

struct RecordedCall
{
    QString method;
    QVariantList args;
};

} // namespace

// Every case talks to a dbus-daemon this test starts itself, with python-dbusmock's logind
// template standing in for systemd-logind, so no request can reach the machine's real login
// manager.
class TestLogindShutdown : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void powerOffAsksTheLoginManagerOnce();
    void failuresAreReported_data();
    void failuresAreReported();
    void systemShutdownUsesTheSystemBus();

private:
    void startLoginManagerMock();
    void stopLoginManagerMock();
    void makePowerOffRun(const QString& pythonCode);
    QList<RecordedCall> recordedCalls();
    QDBusConnection connectionUnderTest();

    QTemporaryDir m_dir;
    QProcess m_busDaemon;
    QProcess m_mock;
    QString m_busAddress;
    QString m_mockMissing; // why the login manager mock cannot run here, if it cannot
    int m_connections = 0;
};

void TestLogindShutdown::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Until the private bus is up, the system bus address leads nowhere.
    const QByteArray nowhere = "unix:path=" + QFile::encodeName(m_dir.filePath("no-bus-here"));
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", nowhere);
    qputenv("DBUS_SESSION_BUS_ADDRESS", nowhere);

    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed; the private test bus cannot be started");

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
    m_busAddress = QString::fromUtf8(m_busDaemon.readLine()).trimmed();
    QVERIFY(m_busAddress.startsWith(QLatin1String("unix:")));

    // Anything that asks for the system bus from now on lands on the private one. The session
    // bus stays dead, so that only a request sent on the system bus can reach the mock.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_busAddress.toUtf8());

    QDBusConnection control =
        QDBusConnection::connectToBus(m_busAddress, QStringLiteral("control"));
    QVERIFY2(control.isConnected(), qPrintable(control.lastError().message()));
    QVERIFY(control.registerService(markerService));

    if (!QFileInfo(systemPython).isExecutable()) {
        m_mockMissing = systemPython + QStringLiteral(" is missing, so the logind mock cannot run");
    } else {
        QProcess probe;
        probe.start(systemPython, {QStringLiteral("-c"), QStringLiteral("import dbusmock, gi")});
        if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            m_mockMissing = systemPython +
                            QStringLiteral(" cannot import dbusmock (install "
                                           "python3-dbusmock): ") +
                            QString::fromLocal8Bit(probe.readAllStandardError()).trimmed();
    }
}

void TestLogindShutdown::cleanupTestCase()
{
    stopLoginManagerMock();
    QDBusConnection::disconnectFromBus(QStringLiteral("control"));
    for (int i = 0; i < m_connections; ++i)
        QDBusConnection::disconnectFromBus(QStringLiteral("under-test-%1").arg(i));
    if (m_busDaemon.state() != QProcess::NotRunning) {
        m_busDaemon.terminate();
        if (!m_busDaemon.waitForFinished(5000)) {
            m_busDaemon.kill();
            m_busDaemon.waitForFinished(5000);
        }
    }
}

void TestLogindShutdown::cleanup()
{
    stopLoginManagerMock();
}

void TestLogindShutdown::startLoginManagerMock()
{
    QVERIFY(m_mock.state() == QProcess::NotRunning);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The logind template puts itself on the system bus; make sure that is ours.
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_busAddress);
    m_mock.setProcessEnvironment(env);
    m_mock.setStandardOutputFile(QProcess::nullDevice());
    m_mock.start(systemPython, {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                                QStringLiteral("--template"), QStringLiteral("logind")});
    QVERIFY2(m_mock.waitForStarted(10000), qPrintable(m_mock.errorString()));

    QDBusConnectionInterface* bus = QDBusConnection(QStringLiteral("control")).interface();
    QDeadlineTimer deadline(20000);
    while (!bus->isServiceRegistered(loginService) && !deadline.hasExpired() &&
           m_mock.state() == QProcess::Running)
        QThread::msleep(50);
    QVERIFY2(bus->isServiceRegistered(loginService),
             qPrintable("the logind mock did not come up: " + m_mock.readAllStandardError()));
}

void TestLogindShutdown::stopLoginManagerMock()
{
    if (m_mock.state() == QProcess::NotRunning)
        return;
    m_mock.terminate();
    if (!m_mock.waitForFinished(5000)) {
        m_mock.kill();
        m_mock.waitForFinished(5000);
    }
    // The next case must not find the old mock's name still on the bus.
    QDBusConnectionInterface* bus = QDBusConnection(QStringLiteral("control")).interface();
    QDeadlineTimer deadline(5000);
    while (bus->isServiceRegistered(loginService) && !deadline.hasExpired())
        QThread::msleep(20);
}

// Replaces the template's do-nothing PowerOff with the given Python body.
void TestLogindShutdown::makePowerOffRun(const QString& pythonCode)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(loginService, loginPath, mockInterface, "AddMethod");
    call << loginManager << QStringLiteral("PowerOff") << QStringLiteral("b") << QString()
         << pythonCode;
    const QDBusMessage reply = QDBusConnection(QStringLiteral("control")).call(call);
    QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
}

// The calls the mock has seen on the login manager, in order.
QList<RecordedCall> TestLogindShutdown::recordedCalls()
{
    QList<RecordedCall> calls;
    QDBusMessage call =
        QDBusMessage::createMethodCall(loginService, loginPath, mockInterface, "GetCalls");
    // Generous: a mock that is still sleeping in PowerOff answers only when it wakes.
    const QDBusMessage reply =
        QDBusConnection(QStringLiteral("control")).call(call, QDBus::Block, 15000);
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

// A connection of its own for each case, so that no state carries over between cases.
QDBusConnection TestLogindShutdown::connectionUnderTest()
{
    return QDBusConnection::connectToBus(m_busAddress,
                                         QStringLiteral("under-test-%1").arg(m_connections++));
}

void TestLogindShutdown::powerOffAsksTheLoginManagerOnce()
{
    if (!m_mockMissing.isEmpty())
        QSKIP(qPrintable(m_mockMissing));
    startLoginManagerMock();
    if (QTest::currentTestFailed())
        return;

    LogindShutdown shutdown(connectionUnderTest(), 10000);
    const ShutdownResult result = shutdown.powerOff();

    QVERIFY2(result.requested, qPrintable(result.reason));
    QVERIFY(result.reason.isEmpty());
    const QList<RecordedCall> calls = recordedCalls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).method, QStringLiteral("PowerOff"));
    // interactive = true, so that polkit may ask the user instead of refusing.
    QCOMPARE(calls.at(0).args, QVariantList{QVariant(true)});
}

void TestLogindShutdown::failuresAreReported_data()
{
    QTest::addColumn<bool>("busReachable");
    QTest::addColumn<bool>("loginManagerRunning");
    QTest::addColumn<QString>("powerOffCode"); // Python run by the mock's PowerOff
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<QString>("reasonMentions");

    QTest::newRow("bus not reachable") << false << false << QString() << 10000 << QString();
    QTest::newRow("no login manager on the bus")
        << true << false << QString() << 10000 << QStringLiteral("org.freedesktop.login1");
    QTest::newRow("access denied")
        << true << true
        << QStringLiteral("raise dbus.exceptions.DBusException('Mock policy says no', "
                          "name='org.freedesktop.DBus.Error.AccessDenied')")
        << 10000 << QStringLiteral("Mock policy says no");
    QTest::newRow("interactive authorization required")
        << true << true
        << QStringLiteral("raise dbus.exceptions.DBusException('No agent to ask the user', "
                          "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')")
        << 10000 << QStringLiteral("No agent to ask the user");
    QTest::newRow("other error reply")
        << true << true
        << QStringLiteral("raise dbus.exceptions.DBusException('Shutdown already in progress', "
                          "name='org.freedesktop.login1.OperationInProgress')")
        << 10000 << QStringLiteral("Shutdown already in progress");
    QTest::newRow("no answer in time") << true << true << QStringLiteral("time.sleep(3)") << 300
                                       << QStringLiteral("org.freedesktop.DBus.Error.NoReply");
}

void TestLogindShutdown::failuresAreReported()
{
    QFETCH(bool, busReachable);
    QFETCH(bool, loginManagerRunning);
    QFETCH(QString, powerOffCode);
    QFETCH(int, timeoutMs);
    QFETCH(QString, reasonMentions);

    if (loginManagerRunning) {
        if (!m_mockMissing.isEmpty())
            QSKIP(qPrintable(m_mockMissing));
        startLoginManagerMock();
        if (QTest::currentTestFailed())
            return;
        makePowerOffRun(powerOffCode);
        if (QTest::currentTestFailed())
            return;
    }

    QDBusConnection bus = busReachable
                              ? connectionUnderTest()
                              : QDBusConnection::connectToBus(
                                    "unix:path=" + m_dir.filePath(QStringLiteral("no-bus-here")),
                                    QStringLiteral("unreachable"));
    LogindShutdown shutdown(bus, timeoutMs);
    QElapsedTimer clock;
    clock.start();
    const ShutdownResult result = shutdown.powerOff();
    const qint64 elapsedMs = clock.elapsed();
    if (!busReachable)
        QDBusConnection::disconnectFromBus(QStringLiteral("unreachable"));

    QVERIFY(!result.requested);
    QVERIFY(!result.reason.trimmed().isEmpty());
    if (!reasonMentions.isEmpty())
        QVERIFY2(result.reason.contains(reasonMentions), qPrintable(result.reason));
    // Every failure here is immediate except the silent mock, which must be given up on after
    // the timeout it was constructed with, well before it would answer.
    QVERIFY2(elapsedMs < 2500, qPrintable(QString::number(elapsedMs) + " ms"));

    if (loginManagerRunning) {
        // A refused or unanswered request is not sent again.
        const QList<RecordedCall> calls = recordedCalls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.at(0).method, QStringLiteral("PowerOff"));
        QCOMPARE(calls.at(0).args, QVariantList{QVariant(true)});
    }
}

void TestLogindShutdown::systemShutdownUsesTheSystemBus()
{
    if (!m_mockMissing.isEmpty())
        QSKIP(qPrintable(m_mockMissing));
    startLoginManagerMock();
    if (QTest::currentTestFailed())
        return;

    // Only go on when the process's system bus provably is the private one.
    QDBusConnection systemBus = QDBusConnection::systemBus();
    QVERIFY(systemBus.isConnected());
    QVERIFY2(systemBus.interface()->isServiceRegistered(markerService),
             "the system bus is not the test's private bus; not sending PowerOff");

    const std::unique_ptr<quenzar::Shutdown> shutdown = quenzar::createSystemShutdown();
    QVERIFY(shutdown);
    const ShutdownResult result = shutdown->powerOff();

    QVERIFY2(result.requested, qPrintable(result.reason));
    const QList<RecordedCall> calls = recordedCalls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).method, QStringLiteral("PowerOff"));
}

QTEST_GUILESS_MAIN(TestLogindShutdown)
#include "tst_logindshutdown.moc"
