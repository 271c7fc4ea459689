// Ends any Qt program it is preloaded into (LD_PRELOAD) the same way: exit status 0 the first
// time the event loop is about to wait for more events while a window is on screen, by when the
// window has been exposed and painted and nothing queued is left; 3 if that never happens. So
// the program itself, unchanged, can be timed beside the programs it is measured against.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

namespace {

bool windowOnScreen()
{
    const auto windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.begin(), windows.end(), [](const QWindow* window) {
        return window->isVisible() && window->isExposed();
    });
}

void quitOnceShownAndIdle()
{
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return; // a program without windows is left alone
    auto* connection = new QMetaObject::Connection;
    *connection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                   QCoreApplication::instance(), [connection] {
                                       if (!windowOnScreen())
                                           return;
                                       QObject::disconnect(*connection);
                                       delete connection;
                                       QCoreApplication::exit(0);
                                   });
    QTimer::singleShot(20000, QCoreApplication::instance(), [] { QCoreApplication::exit(3); });
}

} // namespace

// Runs as soon as the program's application object exists.
Q_COREAPP_STARTUP_FUNCTION(quitOnceShownAndIdle)
