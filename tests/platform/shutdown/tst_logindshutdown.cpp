#include "platform/shutdown/shutdown_linux.h"

#include "mockloginmanager.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>

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
    void aSilentBusOrServiceGetsNothing_data();
    void aSilentBusOrServiceGetsNothing();
    void aBusyWindowIsAnsweredOnce();

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

    const auto bus = [&](bool reachable, Bus which) {
        return reachable ? m_mock.address(which) : m_mock.deadBusAddress();
    };
    LinuxShutdown shutdown(bus(sessionBus, Bus::Session), bus(systemBus, Bus::System), {});
    const ShutdownResult result = answerTo(shutdown);

    QCOMPARE(result.requested, reasonMentions.isEmpty());
    QVERIFY2(result.reason.contains(reasonMentions), qPrintable(result.reason));
    // GNOME's session manager could be started on the session bus, but it is not running.
    QVERIFY(!m_mock.activated());
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

void TestLogindShutdown::aSilentBusOrServiceGetsNothing_data()
{
    QTest::addColumn<QString>("silent");
    QTest::addColumn<QString>("told");
    const QString system =
        QStringLiteral("The system message bus did not answer; nothing was sent.");
    const QString session = QStringLiteral(
        "The desktop's message bus (the session bus) did not answer; nothing was sent.");
    QTest::newRow("the system bus's daemon stopped") << "system daemon" << system;
    QTest::newRow("a system bus that never speaks") << "system socket" << system;
    QTest::newRow("the session bus's daemon stopped") << "session daemon" << session;
    QTest::newRow("a session bus that never speaks") << "session socket" << session;
    QTest::newRow("the login manager stopped")
        << "logind"
        << "The login manager (systemd-logind) did not answer; nothing was sent.";
    QTest::newRow("the session manager stopped")
        << "org.gnome.SessionManager"
        << "The desktop's session manager (org.gnome.SessionManager) did not answer; nothing was "
           "sent.";
}

void TestLogindShutdown::aSilentBusOrServiceGetsNothing()
{
    QFETCH(QString, silent);
    QFETCH(QString, told);
    if (!m_mock.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_mock.unavailableReason()));
    m_mock.start();
    if (QTest::currentTestFailed())
        return;
    const Bus which = silent.startsWith(QLatin1String("session")) ? Bus::Session : Bus::System;
    QString buses[] = {m_mock.address(Bus::Session), m_mock.address(Bus::System)};
    if (silent.endsWith(QLatin1String("socket"))) {
        buses[which == Bus::System] = m_mock.silentBusAddress();
    } else if (silent == QLatin1String("logind")) {
        m_mock.pauseMock(QStringLiteral("org.freedesktop.login1"));
    } else if (silent.startsWith(QLatin1String("org."))) {
        m_mock.startSessionManager(silent, "/org/gnome/SessionManager", silent, "Shutdown", "");
        m_mock.pauseMock(silent);
    } else {
        m_mock.pause(which);
    }

    LinuxShutdown shutdown(buses[0], buses[1], {.reachMs = 500});
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    const ShutdownResult result = answerTo(shutdown);
    // Told after the half second of waiting, and all the while this thread went on ticking.
    QVERIFY2(clock.elapsed() >= 450 && clock.elapsed() < 5000,
             qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(ticks >= 15, qPrintable(QString::number(ticks)));
    QCOMPARE(result.reason, told);
    QVERIFY(!result.requested);

    // Woken after the player was told, the bus and the mock still get nothing.
    QVERIFY(m_mock.resume());
    QTest::qWait(1000);
    QCOMPARE(m_mock.calls(), QStringList{});
}

void TestLogindShutdown::aBusyWindowIsAnsweredOnce()
{
    if (!m_mock.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_mock.unavailableReason()));
    m_mock.start();
    if (QTest::currentTestFailed())
        return;
    // The window's thread is often busy past the wait, so each answer comes due with its timer.
    QTimer busy;
    connect(&busy, &QTimer::timeout, [] { QThread::msleep(150); });
    busy.start(30);
    LinuxShutdown shutdown(m_mock.address(Bus::Session), m_mock.address(Bus::System),
                           {.reachMs = 100});
    QStringList answers;
    shutdown.requestPowerOff([&](const ShutdownResult& answer) { answers << answer.reason; });
    QTRY_VERIFY_WITH_TIMEOUT(!answers.isEmpty(), 5000);
    QTest::qWait(1000);
    QCOMPARE(answers.size(), 1);
    if (answers[0].contains(QLatin1String("nothing was sent")))
        QCOMPARE(m_mock.calls(), QStringList{});
}

QTEST_GUILESS_MAIN(TestLogindShutdown)
#include "tst_logindshutdown.moc"
