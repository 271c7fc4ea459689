#include "mockloginmanager.h"
#include "scripteddialogs.h"

#include "platform/forms.h"
#include "platform/services.h"
#include "platform/shutdown/shutdown_logind.h"
#include "tweak/frmD3Tweak.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <utility>

using namespace quenzar;
using quenzar::testing::MockLoginManager;
using quenzar::testing::ScriptedDialogs;

namespace {

// The main window as the program builds it, over scripted dialogs but with the real logind
// request, sent on a connection to the test's private bus.
struct MainWindowOverLogind
{
    ScriptedDialogs dialogs;
    LogindShutdown shutdown;
    int ends = 0;
    Forms forms{[this] { ++ends; }};
    Services services{forms, dialogs, shutdown};

    explicit MainWindowOverLogind(QDBusConnection bus) : shutdown(std::move(bus), 10000)
    {
        forms.define(frmD3Tweak::formName, [this] { return new frmD3Tweak(services); });
    }
};

} // namespace

// The Exit button all the way down to the login manager: python-dbusmock's logind template on a
// dbus-daemon of the test's own records what the window really sends.
class tst_frmD3Tweak_exit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void exitAsksTheLoginManager_data();
    void exitAsksTheLoginManager();

private:
    MockLoginManager m_login;
    std::unique_ptr<MainWindowOverLogind> m_app;
};

void tst_frmD3Tweak_exit::initTestCase()
{
    m_login.startBus();
    if (QTest::currentTestFailed())
        return;
    if (!m_login.hasBus())
        QSKIP(qPrintable(m_login.unavailableReason()));
}

void tst_frmD3Tweak_exit::cleanupTestCase()
{
    m_login.stopBus();
}

void tst_frmD3Tweak_exit::cleanup()
{
    m_app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_login.stop();
}

void tst_frmD3Tweak_exit::exitAsksTheLoginManager_data()
{
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("loginManagerRunning");
    QTest::addColumn<QString>("powerOffCode"); // Python run by the mock's PowerOff, if any
    QTest::addColumn<int>("boxes");
    QTest::addColumn<int>("powerOffCalls");       // as the mock saw them
    QTest::addColumn<QString>("failureMentions"); // empty: no failure box

    const QList<Answer> failureAnswers{Answer::Yes, Answer::Ok, Answer::Ok};
    QTest::newRow("Yes, then OK") << QList<Answer>{Answer::Yes, Answer::Ok} << true << QString()
                                  << 2 << 1 << QString();
    QTest::newRow("Yes, then the announcement closed with Escape")
        << QList<Answer>{Answer::Yes, Answer::Cancel} << true << QString() << 2 << 1 << QString();
    QTest::newRow("No") << QList<Answer>{Answer::No} << true << QString() << 1 << 0 << QString();
    QTest::newRow("Cancel") << QList<Answer>{Answer::Cancel} << true << QString() << 1 << 0
                            << QString();
    // Nothing owns the login manager's name, so no call can be recorded anywhere.
    QTest::newRow("no login manager on the bus") << failureAnswers << false << QString() << 3 << 0
                                                 << QStringLiteral("org.freedesktop.login1");
    QTest::newRow("login manager says no")
        << failureAnswers << true
        << QStringLiteral("raise dbus.exceptions.DBusException('Mock policy says no', "
                          "name='org.freedesktop.DBus.Error.AccessDenied')")
        << 3 << 1 << QStringLiteral("Mock policy says no");
}

void tst_frmD3Tweak_exit::exitAsksTheLoginManager()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, loginManagerRunning);
    QFETCH(QString, powerOffCode);
    QFETCH(int, boxes);
    QFETCH(int, powerOffCalls);
    QFETCH(QString, failureMentions);

    if (loginManagerRunning) {
        if (!m_login.unavailableReason().isEmpty())
            QSKIP(qPrintable(m_login.unavailableReason()));
        m_login.start();
        if (QTest::currentTestFailed())
            return;
        if (!powerOffCode.isEmpty()) {
            m_login.makePowerOffRun(powerOffCode);
            if (QTest::currentTestFailed())
                return;
        }
    }

    QDBusConnection bus = m_login.connectionUnderTest();
    QVERIFY2(m_login.isPrivateBus(bus), "not the test's private bus; not pressing Exit");
    m_app = std::make_unique<MainWindowOverLogind>(bus);
    const QPointer<QWidget> main = m_app->forms.show(frmD3Tweak::formName);
    QVERIFY(main);
    auto* exit = main->findChild<QPushButton*>(QStringLiteral("cmdExit"));
    QVERIFY(exit);

    // No request may go out while the question or the announcement is still open.
    QList<int> callsWhileOpen;
    if (loginManagerRunning)
        m_app->dialogs.onShow = [&](const ScriptedDialogs::Shown&) {
            callsWhileOpen.append(m_login.recordedCalls().size());
        };
    m_app->dialogs.answers = answers;
    exit->click();
    m_app->dialogs.onShow = nullptr;

    QCOMPARE(m_app->dialogs.shown.size(), boxes);
    QCOMPARE(m_app->dialogs.unscripted, 0);
    if (loginManagerRunning) {
        QCOMPARE(callsWhileOpen.mid(0, 2), QList<int>(qMin(boxes, 2), 0));
        const QList<MockLoginManager::RecordedCall> calls = m_login.recordedCalls();
        QCOMPARE(calls.size(), powerOffCalls);
        for (const MockLoginManager::RecordedCall& call : calls) {
            QCOMPARE(call.method, QStringLiteral("PowerOff"));
            // interactive = true, so that polkit may ask the player instead of refusing.
            QCOMPARE(call.args, QVariantList{QVariant(true)});
        }
    }
    if (failureMentions.isEmpty()) {
        for (const QString& prompt : m_app->dialogs.prompts())
            QVERIFY2(!prompt.contains(QStringLiteral("could not be shut down")),
                     qPrintable(prompt));
    } else {
        const QString told = m_app->dialogs.shown.last().prompt;
        QVERIFY2(told.contains(QStringLiteral("could not be shut down")), qPrintable(told));
        QVERIFY2(told.contains(failureMentions), qPrintable(told));
    }
    QVERIFY(main);
    QVERIFY(main->isVisible());
    QCOMPARE(m_app->ends, 0);
}

QTEST_MAIN(tst_frmD3Tweak_exit)
#include "tst_frmD3Tweak_exit.moc"
