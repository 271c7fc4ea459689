#include "forms/formnames.h"
#include "mockloginmanager.h"
#include "scripteddialogs.h"

#include "forms/forms.h"
#include "forms/services.h"
#include "platform/shutdown/shutdown_linux.h"
#include "tweak/frmD3Tweak.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <utility>

using namespace quenzar;
using quenzar::testing::MockLoginManager;
using quenzar::testing::ScriptedDialogs;
using Bus = MockLoginManager::Bus;

namespace {

// How long the window under test waits for a session manager, for a first answer from a bus,
// and for logind before the player hears that no answer has come.
constexpr int sessionTimeoutMs = 2000;
constexpr LinuxShutdown::Timing timing{1000, sessionTimeoutMs, 2500};
const QString noAnswerYet = QStringLiteral("The computer may still switch off if it answers.");

// What the desktops serve, and the one call each should receive.
struct SessionManager
{
    QString service, path, interface, method, signature, call;
};
const QHash<QString, SessionManager> sessionManagers{
    {"gnome",
     {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
      "Shutdown", "", "Shutdown()"}},
    {"plasma",
     {"org.kde.LogoutPrompt", "/LogoutPrompt", "org.kde.LogoutPrompt", "promptShutDown", "",
      "promptShutDown()"}},
    {"ksmserver",
     {"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface", "logout", "iii",
      "logout(1, 2, 2)"}},
    {"xfce",
     {"org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager", "Shutdown",
      "b", "Shutdown(true)"}},
    {"logind", {"org.freedesktop.login1", {}, {}, {}, {}, "PowerOff(true)"}},
};

// The main window as the program builds it, over scripted dialogs but with the real request,
// sent on connections to the test's private buses.
struct MainWindowOverDBus
{
    ScriptedDialogs dialogs;
    LinuxShutdown shutdown;
    int ends = 0;
    Forms forms{[this] { ++ends; }};
    Services services{forms, dialogs, shutdown};

    MainWindowOverDBus(QString session, QString system)
        : shutdown(std::move(session), std::move(system), timing)
    {
        forms.define(formnames::frmD3Tweak, [this] { return new frmD3Tweak(services); });
    }
};

} // namespace

// The Exit button all the way down to the desktop and the login manager: python-dbusmock objects
// on buses of the test's own record what the window really sends.
class tst_frmD3Tweak_exit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void exitAsksTheDesktop_data();
    void exitAsksTheDesktop();
    void aSlowLoginManagerIsToldAndExitWaitsAgain();

private:
    MockLoginManager m_mock;
    std::unique_ptr<MainWindowOverDBus> m_app;
};

void tst_frmD3Tweak_exit::initTestCase()
{
    m_mock.startBus();
    if (QTest::currentTestFailed())
        return;
    if (!m_mock.hasBus())
        QSKIP(qPrintable(m_mock.unavailableReason()));
}

void tst_frmD3Tweak_exit::cleanupTestCase()
{
    m_mock.stopBus();
}

void tst_frmD3Tweak_exit::cleanup()
{
    m_app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_mock.stop();
}

void tst_frmD3Tweak_exit::exitAsksTheDesktop_data()
{
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("running"); // the services present, in starting order
    QTest::addColumn<QString>("asked");       // the one service that gets the call, if any
    QTest::addColumn<QString>("answerCode");  // Python run by its method; empty: answers at once
    QTest::addColumn<int>("slowMs");          // how long the answer takes at least
    QTest::addColumn<QString>("told");        // what the failure box says; empty: no such box
    QTest::addColumn<bool>("ends");

    const QList<Answer> yes{Answer::Yes, Answer::Ok, Answer::Ok};
    const QStringList all{"xfce", "ksmserver", "plasma", "gnome", "logind"};
    const auto row = [&](const char* name, const QStringList& running,
                         const QString& asked) -> QTestData& {
        return QTest::newRow(name) << yes << running << asked;
    };
    row("GNOME", {"gnome", "logind"}, "gnome") << QString() << 0 << QString() << false;
    row("Plasma", {"plasma", "logind"}, "plasma") << QString() << 0 << QString() << false;
    row("older Plasma", {"ksmserver", "logind"}, "ksmserver")
        << QString() << 0 << QString() << false;
    row("Xfce", {"xfce", "logind"}, "xfce") << QString() << 0 << QString() << false;
    row("GNOME before the others", all, "gnome") << QString() << 0 << QString() << false;
    row("Plasma before older Plasma and Xfce", all.mid(0, 3) + QStringList{"logind"}, "plasma")
        << QString() << 0 << QString() << false;
    row("older Plasma before Xfce", all.mid(0, 2) + QStringList{"logind"}, "ksmserver")
        << QString() << 0 << QString() << false;
    row("no desktop: the login manager", {"logind"}, "logind")
        << QString() << 0 << QString() << false;
    row("the desktop says no", {"gnome", "logind"}, "gnome")
        << QStringLiteral("raise dbus.exceptions.DBusException('Mock desktop says no', "
                          "name='org.freedesktop.DBus.Error.Failed')")
        << 0 << QStringLiteral("Mock desktop says no") << false;
    row("the desktop never answers", {"xfce", "logind"}, "xfce")
        << QStringLiteral("time.sleep(4)") << sessionTimeoutMs
        << QStringLiteral("did not answer the shutdown request in time") << false;
    row("the login manager answers late", {"logind"}, "logind")
        << QStringLiteral("time.sleep(1.5)") << 1500 << QString() << false;
    row("the system bus stopped", {"logind", "stopped system bus"}, QString())
        << QString() << 1000
        << QStringLiteral("The system message bus did not answer; nothing was sent.") << false;
    row("the login manager says no", {"logind"}, "logind")
        << QStringLiteral("raise dbus.exceptions.DBusException('Mock policy says no', "
                          "name='org.freedesktop.DBus.Error.AccessDenied')")
        << 0 << QStringLiteral("Mock policy says no") << false;
    row("no login manager on the bus", {}, QString())
        << QString() << 0 << QStringLiteral("org.freedesktop.login1") << false;
    QTest::newRow("Yes, then the announcement closed with Escape")
        << QList<Answer>{Answer::Yes, Answer::Cancel} << QStringList{"gnome", "logind"}
        << QStringLiteral("gnome") << QString() << 0 << QString() << false;
    QTest::newRow("No ends the program")
        << QList<Answer>{Answer::No} << all << QString() << QString() << 0 << QString() << true;
    QTest::newRow("Cancel") << QList<Answer>{Answer::Cancel} << all << QString() << QString() << 0
                            << QString() << false;
}

void tst_frmD3Tweak_exit::exitAsksTheDesktop()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, running);
    QFETCH(QString, asked);
    QFETCH(QString, answerCode);
    QFETCH(int, slowMs);
    QFETCH(QString, told);
    QFETCH(bool, ends);

    if (!running.isEmpty() && !m_mock.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_mock.unavailableReason()));
    for (const QString& key : running) {
        const SessionManager& m = sessionManagers[key];
        const QString code = key == asked ? answerCode : QString();
        if (key == QLatin1String("stopped system bus")) {
            continue; // stopped once the announcement has been shown
        } else if (key == QLatin1String("logind")) {
            m_mock.start();
            if (!code.isEmpty() && !QTest::currentTestFailed())
                m_mock.makePowerOffRun(code);
        } else {
            m_mock.startSessionManager(m.service, m.path, m.interface, m.method, m.signature, code);
        }
        if (QTest::currentTestFailed())
            return;
    }

    QVERIFY2(m_mock.isPrivateBus(m_mock.connectionUnderTest(Bus::Session)) &&
                 m_mock.isPrivateBus(m_mock.connectionUnderTest(Bus::System)),
             "not the test's private buses; not pressing Exit");
    m_app = std::make_unique<MainWindowOverDBus>(m_mock.address(Bus::Session),
                                                 m_mock.address(Bus::System));
    const QPointer<QWidget> main = m_app->forms.show(formnames::frmD3Tweak);
    QVERIFY(main);
    auto* exit = main->findChild<QPushButton*>(QStringLiteral("cmdExit"));
    QVERIFY(exit);

    // No request may go out while the question or the announcement is still open.
    QList<int> callsWhileOpen;
    m_app->dialogs.onShow = [&](const ScriptedDialogs::Shown&) {
        callsWhileOpen.append(m_mock.calls().size());
        if (callsWhileOpen.size() == 2 && running.contains(QStringLiteral("stopped system bus")))
            m_mock.pause(Bus::System);
    };
    m_app->dialogs.answers = answers;
    QElapsedTimer clock;
    clock.start();
    exit->click();
    m_app->dialogs.onShow = nullptr;
    QCOMPARE(callsWhileOpen, QList<int>(qMin(answers.size(), 2), 0));

    // While the answer is awaited the window goes on handling events, and a second Exit asks
    // nothing and sends nothing.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(50);
    const qsizetype boxes = m_app->dialogs.shown.size();
    if (m_app->shutdown.pending())
        exit->click();
    QCOMPARE(m_app->dialogs.shown.size(), boxes);
    QTRY_VERIFY_WITH_TIMEOUT(!m_app->shutdown.pending(), 15000);
    // Qt's coarse timers may end the wait for a silent desktop a little early.
    QVERIFY2(clock.elapsed() >= slowMs * 9 / 10, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(ticks >= slowMs / 100, qPrintable(QString::number(ticks)));
    // A bus woken after the player was told still sends nothing.
    if (m_mock.resume())
        QTest::qWait(1000);

    QStringList expected;
    if (!asked.isEmpty())
        expected.append(sessionManagers[asked].service + u' ' + sessionManagers[asked].call);
    QCOMPARE(m_mock.calls(), expected);
    QCOMPARE(m_app->dialogs.unscripted, 0);
    const QString last = m_app->dialogs.shown.last().prompt;
    QCOMPARE(last.startsWith(QStringLiteral("The computer could not be shut down.")),
             !told.isEmpty());
    QVERIFY2(last.contains(told), qPrintable(last));

    QCOMPARE(m_app->ends, int(ends));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(main.isNull(), ends);
}

// logind may wait on a password prompt for long: after a while the player hears that no answer
// has come, and Exit may ask again, which waits for the same request instead of sending another.
void tst_frmD3Tweak_exit::aSlowLoginManagerIsToldAndExitWaitsAgain()
{
    if (!m_mock.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_mock.unavailableReason()));
    m_mock.start();
    if (!QTest::currentTestFailed())
        m_mock.makePowerOffRun(QStringLiteral("time.sleep(4)"));
    if (QTest::currentTestFailed())
        return;
    m_app =
        std::make_unique<MainWindowOverDBus>(m_mock.deadBusAddress(), m_mock.address(Bus::System));
    const QPointer<QWidget> main = m_app->forms.show(formnames::frmD3Tweak);
    auto* exit = main->findChild<QPushButton*>(QStringLiteral("cmdExit"));
    QVERIFY(exit);
    const QList<Answer> yes{Answer::Yes, Answer::Ok};
    m_app->dialogs.answers = yes;
    QElapsedTimer clock;
    clock.start();
    exit->click();
    QTRY_VERIFY_WITH_TIMEOUT(m_app->dialogs.shown.size() == 3, 6000);
    QVERIFY2(clock.elapsed() >= timing.loginNoticeMs * 9 / 10 && clock.elapsed() < 3900,
             qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(m_app->dialogs.shown.last().prompt.contains(noAnswerYet),
             qPrintable(m_app->dialogs.shown.last().prompt));
    QVERIFY(!m_app->shutdown.pending());

    // Exit asks again; the answer to the first request settles both.
    m_app->dialogs.answers = yes;
    exit->click();
    QCOMPARE(m_app->dialogs.shown.size(), 5);
    QVERIFY(m_app->shutdown.pending());
    QTRY_VERIFY_WITH_TIMEOUT(!m_app->shutdown.pending(), 6000);
    QCOMPARE(m_app->dialogs.shown.size(), 5); // granted: nothing more to say
    QCOMPARE(m_mock.calls(), QStringList{"org.freedesktop.login1 PowerOff(true)"});
}

QTEST_MAIN(tst_frmD3Tweak_exit)
#include "tst_frmD3Tweak_exit.moc"
