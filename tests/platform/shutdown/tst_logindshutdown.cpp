#include "platform/shutdown/shutdown_logind.h"

#include "mockloginmanager.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QTest>

#include <memory>

using quenzar::LogindShutdown;
using quenzar::ShutdownResult;
using quenzar::testing::MockLoginManager;
using RecordedCall = MockLoginManager::RecordedCall;

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
    MockLoginManager m_login;
};

void TestLogindShutdown::initTestCase()
{
    m_login.startBus();
    if (QTest::currentTestFailed())
        return;
    if (!m_login.hasBus())
        QSKIP(qPrintable(m_login.unavailableReason()));
}

void TestLogindShutdown::cleanupTestCase()
{
    m_login.stopBus();
}

void TestLogindShutdown::cleanup()
{
    m_login.stop();
}

void TestLogindShutdown::powerOffAsksTheLoginManagerOnce()
{
    if (!m_login.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_login.unavailableReason()));
    m_login.start();
    if (QTest::currentTestFailed())
        return;

    LogindShutdown shutdown(m_login.connectionUnderTest(), 10000);
    const ShutdownResult result = shutdown.powerOff();

    QVERIFY2(result.requested, qPrintable(result.reason));
    QVERIFY(result.reason.isEmpty());
    const QList<RecordedCall> calls = m_login.recordedCalls();
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
        if (!m_login.unavailableReason().isEmpty())
            QSKIP(qPrintable(m_login.unavailableReason()));
        m_login.start();
        if (QTest::currentTestFailed())
            return;
        m_login.makePowerOffRun(powerOffCode);
        if (QTest::currentTestFailed())
            return;
    }

    QDBusConnection bus = busReachable
                              ? m_login.connectionUnderTest()
                              : QDBusConnection::connectToBus(m_login.deadBusAddress(),
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
        const QList<RecordedCall> calls = m_login.recordedCalls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.at(0).method, QStringLiteral("PowerOff"));
        QCOMPARE(calls.at(0).args, QVariantList{QVariant(true)});
    }
}

void TestLogindShutdown::systemShutdownUsesTheSystemBus()
{
    if (!m_login.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_login.unavailableReason()));
    m_login.start();
    if (QTest::currentTestFailed())
        return;

    // Only go on when the process's system bus provably is the private one.
    QDBusConnection systemBus = QDBusConnection::systemBus();
    QVERIFY(systemBus.isConnected());
    QVERIFY2(m_login.isPrivateBus(systemBus),
             "the system bus is not the test's private bus; not sending PowerOff");

    const std::unique_ptr<quenzar::Shutdown> shutdown = quenzar::createSystemShutdown();
    QVERIFY(shutdown);
    const ShutdownResult result = shutdown->powerOff();

    QVERIFY2(result.requested, qPrintable(result.reason));
    const QList<RecordedCall> calls = m_login.recordedCalls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).method, QStringLiteral("PowerOff"));
}

QTEST_GUILESS_MAIN(TestLogindShutdown)
#include "tst_logindshutdown.moc"
