// The program as main() runs it, with a real event loop: what it starts on, and when it ends.
#include "app/program.h"
#include "tweak/frmD3Tweak.h"
#include "welcome/frmFirst.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace quenzar;

namespace {

// Runs the event loop as main() does; a stuck loop ends after a while with status 99.
int runEventLoop()
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    return QApplication::exec();
}

QStringList visibleWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names.append(w->objectName());
    names.sort();
    return names;
}

} // namespace

class tst_Program : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void startsOnTheWelcomeDialogAlone();
    void noEndsTheProgramWithEveryWindow();
    void theProgramEndsWithItsLastWindow_data();
    void theProgramEndsWithItsLastWindow();
};

void tst_Program::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_Program::startsOnTheWelcomeDialogAlone()
{
    Program program;
    QWidget* welcome = program.start();
    QCOMPARE(welcome->objectName(), QStringLiteral("frmFirst"));
    QCOMPARE(visibleWindows(), QStringList{"frmFirst"});
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
    QCOMPARE(welcome->windowTitle(), QStringLiteral("FIRST READ THE README FILE!"));
    // The program's own icon, compiled in at the sizes window managers ask for.
    QList<int> iconSizes;
    for (const QSize size : welcome->windowIcon().availableSizes())
        iconSizes.append(size.width());
    std::sort(iconSizes.begin(), iconSizes.end());
    QCOMPARE(iconSizes, (QList<int>{16, 24, 32, 48, 64, 128}));
    // Shown only once the event loop runs: nothing else is opened at start.
    QCoreApplication::processEvents();
    QCOMPARE(visibleWindows(), QStringList{"frmFirst"});
}

void tst_Program::noEndsTheProgramWithEveryWindow()
{
    Program program;
    QWidget* welcome = program.start();
    QTimer::singleShot(0, welcome, [welcome] {
        welcome->findChild<QPushButton*>(QStringLiteral("cmdYes"))->click();
        welcome->findChild<QPushButton*>(QStringLiteral("cmdNo"))->click();
    });
    QCOMPARE(runEventLoop(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleWindows(), QStringList{});
    QVERIFY(!program.forms().loaded(frmFirst::formName));
    QVERIFY(!program.forms().loaded(frmD3Tweak::formName));
}

void tst_Program::theProgramEndsWithItsLastWindow_data()
{
    QTest::addColumn<bool>("openMain");
    QTest::newRow("closing the welcome dialog before Yes") << false;
    QTest::newRow("closing the welcome dialog, then the main window") << true;
}

void tst_Program::theProgramEndsWithItsLastWindow()
{
    QFETCH(bool, openMain);
    Program program;
    QWidget* welcome = program.start();
    QStringList stillOpen;
    // Timers still pending when this case ends go with it.
    QObject thisCase;
    QTimer::singleShot(0, &thisCase, [&] {
        if (openMain)
            welcome->findChild<QPushButton*>(QStringLiteral("cmdYes"))->click();
        welcome->close();
        // The program goes on while a window of it is open.
        QTimer::singleShot(50, &thisCase, [&] {
            stillOpen = visibleWindows();
            if (QWidget* main = program.forms().loaded(frmD3Tweak::formName))
                main->close();
        });
    });
    QCOMPARE(runEventLoop(), 0);
    QCOMPARE(stillOpen, openMain ? QStringList{"frmD3Tweak"} : QStringList{});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.forms().loaded(frmFirst::formName));
}

QTEST_MAIN(tst_Program)
#include "tst_program.moc"
