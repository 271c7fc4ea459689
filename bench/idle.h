#pragma once

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <memory>

namespace quenzar::bench {

// True once `window` is visible and the display has exposed it.
inline bool shownAndExposed(const QWidget* window)
{
    return window && window->isVisible() && window->windowHandle() &&
           window->windowHandle()->isExposed();
}

// Runs `done` once, the first time the event loop is about to wait for more events while
// `window` is on screen: by then the expose has been handled, the window painted and nothing
// queued is left. The watch ends when `context` is destroyed.
inline void whenShownAndIdle(QObject* context, QWidget* window, std::function<void()> done)
{
    auto* dispatcher = QAbstractEventDispatcher::instance();
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, context,
                                   [window, connection, done = std::move(done)] {
                                       if (!shownAndExposed(window))
                                           return;
                                       QObject::disconnect(*connection);
                                       done();
                                   });
}

// Runs the event loop until `window` is on screen and the loop is idle; false on a timeout.
inline bool waitShownAndIdle(QWidget* window, int timeoutMs = 10000)
{
    QEventLoop loop;
    bool shown = false;
    whenShownAndIdle(&loop, window, [&] {
        shown = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return shown;
}

// Ends a start-up probe the same way for every program measured: exit status 0 once `window` is
// shown and the loop idle, 3 if that never happens.
inline void quitWhenShownAndIdle(QWidget* window)
{
    whenShownAndIdle(window, window, [] { QCoreApplication::exit(0); });
    QTimer::singleShot(20000, [] { QCoreApplication::exit(3); });
}

} // namespace quenzar::bench
