// The program as main() runs it, with a real event loop: what it starts on, and when it ends.
#include "app/program.h"
#include "forms/formnames.h"
#include "tweak/frmD3Tweak.h"
#include "welcome/frmFirst.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <atomic>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#endif

using namespace quenzar;

namespace {

#ifdef Q_OS_UNIX
// Where both D-Bus buses are said to be: a socket that notes and drops whoever connects, so that
// a program reaching for a bus is caught at once.
struct BusTrap
{
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    std::atomic<bool> knocked = false;
    std::thread watch;

    bool listenAt(const QByteArray& path)
    {
        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 8))
            return false;
        watch = std::thread([this] {
            for (int caller; (caller = accept(fd, nullptr, nullptr)) >= 0; close(caller))
                knocked = true;
        });
        return true;
    }
    ~BusTrap()
    {
        shutdown(fd, SHUT_RDWR); // ends the waiting accept()
        if (watch.joinable())
            watch.join();
        close(fd);
    }
};
#else
struct BusTrap
{
    bool knocked = false;
    bool listenAt(const QByteArray&) { return true; }
};
#endif

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
    void initTestCase();
    void cleanup();
    void startsOnTheWelcomeDialogAlone();
    void noEndsTheProgramWithEveryWindow();
    void theProgramEndsWithItsLastWindow_data();
    void theProgramEndsWithItsLastWindow();

private:
    QTemporaryDir m_dir;
    BusTrap m_buses; // nothing may reach for a bus before Exit is answered Yes
};

void tst_Program::initTestCase()
{
    const QByteArray path = m_dir.filePath(QStringLiteral("bus")).toLocal8Bit();
    QVERIFY(m_buses.listenAt(path));
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + path);
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + path);
}

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
    // The program's own icon, with a picture drawn for a title bar (16 pixels, 32 at double
    // density), at the size every application icon must have (48) and for large switchers
    // (128); each picture shows something.
    const QIcon icon = welcome->windowIcon();
    for (const int size : {16, 32, 48, 128})
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                 qPrintable(QString::number(size)));
    for (const QSize size : icon.availableSizes()) {
        const QImage picture = icon.pixmap(size).toImage();
        QCOMPARE(picture.size(), size);
        QVERIFY(picture.pixelColor(size.width() / 2, size.height() / 2).alpha() > 0);
    }
    // Shown only once the event loop runs: nothing else is opened at start.
    QCoreApplication::processEvents();
    QCOMPARE(visibleWindows(), QStringList{"frmFirst"});
    QVERIFY(!m_buses.knocked);
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
    QVERIFY(!program.forms().loaded(formnames::frmFirst));
    QVERIFY(!program.forms().loaded(formnames::frmD3Tweak));
    QVERIFY(!m_buses.knocked);
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
            if (QWidget* main = program.forms().loaded(formnames::frmD3Tweak))
                main->close();
        });
    });
    QCOMPARE(runEventLoop(), 0);
    QCOMPARE(stillOpen, openMain ? QStringList{"frmD3Tweak"} : QStringList{});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.forms().loaded(formnames::frmFirst));
}

QTEST_MAIN(tst_Program)
#include "tst_program.moc"
