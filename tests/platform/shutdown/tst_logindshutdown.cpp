#include "platform/shutdown/shutdown_linux.h"

#include "mockloginmanager.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QTest>

#include <memory>
#include <optional>

using quenzar::LinuxShutdown;
using quenzar::ShutdownResult;
using quenzar::testing::MockLoginManager;
using Bus = MockLoginManager::Bus;

namespace {

const QString powerOffCall = QStringLiteral("org.freedesktop.login1 PowerOff(true)");

// Sends the request and lets the event loop run until it is answered.
ShutdownResult answerTo(quenzar::Shutdown& shutdown)
{
    std::optional<ShutdownResult> result;
    shutdown.requestPowerOff([&](const ShutdownResult& answer) { result = answer; });
    QDeadlineTimer deadline(15000);
    while (!result && !deadline.hasExpired())
        QTest::qWait(10);
    return result.value_or(ShutdownResult{false, QStringLiteral("<never answered>")});
}

} // namespace

// Every case talks to buses this test starts itself, with python-dbusmock standing in for
// systemd-logind and the desktop, so no request can reach the machine's real ones.
class TestLogindShutdown : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void theLoginManagerIsAskedWithoutADesktop_data();
    void theLoginManagerIsAskedWithoutADesktop();
    void systemShutdownUsesTheProcesssBuses_data();
    void systemShutdownUsesTheProcesssBuses();

private:
    MockLoginManager m_mock;
};

void TestLogindShutdown::initTestCase()
{
    m_mock.startBus();
    if (QTest::currentTestFailed())
        return;
    if (!m_mock.hasBus())
        QSKIP(qPrintable(m_mock.unavailableReason()));
}

void TestLogindShutdown::cleanupTestCase()
{
    m_mock.stopBus();
}

void TestLogindShutdown::cleanup()
{
    m_mock.stop();
}

void TestLogindShutdown::theLoginManagerIsAskedWithoutADesktop_data()
{
    QTest::addColumn<bool>("sessionBus");
    QTest::addColumn<bool>("systemBus");
    QTest::addColumn<bool>("loginManagerRunning");
    QTest::addColumn<QString>("powerOffCode");   // Python run by the mock's PowerOff
    QTest::addColumn<QString>("reasonMentions"); // empty: the request is accepted

    QTest::newRow("no session bus") << false << true << true << QString() << QString();
    QTest::newRow("no bus at all")
        << false << false << false << QString() << QStringLiteral("system message bus");
    QTest::newRow("no login manager on the bus")
        << true << true << false << QString() << QStringLiteral("org.freedesktop.login1");
    QTest::newRow("access denied")
        << true << true << true
        << QStringLiteral("raise dbus.exceptions.DBusException('Mock policy says no', "
                          "name='org.freedesktop.DBus.Error.AccessDenied')")
        << QStringLiteral("Mock policy says no");
    QTest::newRow("interactive authorization required")
        << true << true << true
        << QStringLiteral("raise dbus.exceptions.DBusException('No agent to ask the user', "
                          "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')")
        << QStringLiteral("no password prompt could be shown");
    QTest::newRow("other error reply")
        << true << true << true
        << QStringLiteral("raise dbus.exceptions.DBusException('Shutdown already in progress', "
                          "name='org.freedesktop.login1.OperationInProgress')")
        << QStringLiteral("Shutdown already in progress");
}

void TestLogindShutdown::theLoginManagerIsAskedWithoutADesktop()
{
    QFETCH(bool, sessionBus);
    QFETCH(bool, systemBus);
    QFETCH(bool, loginManagerRunning);
    QFETCH(QString, powerOffCode);
    QFETCH(QString, reasonMentions);

    if (loginManagerRunning) {
        if (!m_mock.unavailableReason().isEmpty())
            QSKIP(qPrintable(m_mock.unavailableReason()));
        m_mock.start();
        if (!QTest::currentTestFailed() && !powerOffCode.isEmpty())
            m_mock.makePowerOffRun(powerOffCode);
        if (QTest::currentTestFailed())
            return;
    }

    const QString dead = QStringLiteral("unreachable");
    const auto bus = [&](bool reachable, Bus which) {
        return reachable ? m_mock.connectionUnderTest(which)
                         : QDBusConnection::connectToBus(m_mock.deadBusAddress(), dead);
    };
    LinuxShutdown shutdown(bus(sessionBus, Bus::Session), bus(systemBus, Bus::System));
    const ShutdownResult result = answerTo(shutdown);
    QDBusConnection::disconnectFromBus(dead);

    QCOMPARE(result.requested, reasonMentions.isEmpty());
    QVERIFY2(result.reason.contains(reasonMentions), qPrintable(result.reason));
    // interactive = true, so that polkit may ask the user instead of refusing; sent once.
    QCOMPARE(m_mock.calls(), loginManagerRunning ? QStringList{powerOffCall} : QStringList{});
}

void TestLogindShutdown::systemShutdownUsesTheProcesssBuses_data()
{
    QTest::addColumn<bool>("desktop");
    QTest::newRow("a session manager on the session bus") << true;
    QTest::newRow("the login manager on the system bus") << false;
}

void TestLogindShutdown::systemShutdownUsesTheProcesssBuses()
{
    QFETCH(bool, desktop);
    if (!m_mock.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_mock.unavailableReason()));
    m_mock.start();
    if (desktop && !QTest::currentTestFailed())
        m_mock.startSessionManager(
            QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
            QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Shutdown"), QString());
    if (QTest::currentTestFailed())
        return;

    // Only go on when the process's buses provably are the private ones.
    QVERIFY2(m_mock.isPrivateBus(QDBusConnection::systemBus()) &&
                 m_mock.isPrivateBus(QDBusConnection::sessionBus()),
             "the process's buses are not the test's private ones; not asking to power off");

    const std::unique_ptr<quenzar::Shutdown> shutdown = quenzar::createSystemShutdown();
    const ShutdownResult result = answerTo(*shutdown);

    QVERIFY2(result.requested, qPrintable(result.reason));
    QCOMPARE(m_mock.calls(),
             QStringList{desktop ? QStringLiteral("org.gnome.SessionManager Shutdown()")
                                 : powerOffCall});
}

QTEST_GUILESS_MAIN(TestLogindShutdown)
#include "tst_logindshutdown.moc"
