#pragma once

#include <QDBusConnection>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

namespace quenzar::testing {

// A dbus-daemon of the test's own, with python-dbusmock's logind template standing in for
// systemd-logind, so that a real LogindShutdown can be exercised without any request ever
// reaching the machine's real login manager.
//
// Once startBus() has run, the process's system bus address leads to the private bus and its
// session bus address to nowhere. The members that check something report through QVERIFY, so
// the caller looks at QTest::currentTestFailed() afterwards.
class MockLoginManager
{
public:
    struct RecordedCall
    {
        QString method;
        QVariantList args;
    };

    MockLoginManager();
    ~MockLoginManager();
    MockLoginManager(const MockLoginManager&) = delete;
    MockLoginManager& operator=(const MockLoginManager&) = delete;

    // Starts the private bus. Call once, from initTestCase(). A machine without dbus-daemon is
    // not a failure: hasBus() stays false and unavailableReason() says why.
    void startBus();
    // Stops the mock and the bus; the system bus address leads nowhere again.
    void stopBus();
    bool hasBus() const { return !m_busAddress.isEmpty(); }

    // Why the login manager mock cannot run here; empty when it can.
    QString unavailableReason() const { return m_unavailable; }

    // Starts the logind mock and waits until it owns its name on the private bus.
    void start();
    // Stops the mock, if it runs, and waits until its name has left the bus.
    void stop();

    // Replaces the mock's do-nothing PowerOff with the given Python body.
    void makePowerOffRun(const QString& pythonCode);
    // The calls the mock has seen on the login manager, in order. A failed query comes back as
    // a single call named "<GetCalls failed>", which no expectation matches.
    QList<RecordedCall> recordedCalls();

    // A new connection to the private bus for each call, so that no state carries over between
    // cases.
    QDBusConnection connectionUnderTest();
    // An address where no bus listens.
    QString deadBusAddress() const;
    // Whether `bus` is the private bus: only there is the marker name owned.
    bool isPrivateBus(const QDBusConnection& bus) const;

private:
    QDBusConnection control() const;

    QTemporaryDir m_dir;
    QProcess m_busDaemon;
    QProcess m_mock;
    QString m_busAddress;
    QString m_unavailable;
    QString m_connectionPrefix;
    int m_connections = 0;
};

} // namespace quenzar::testing
