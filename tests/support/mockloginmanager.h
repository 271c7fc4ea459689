#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace quenzar::testing {

// A private system bus and a private session bus of the test's own, with python-dbusmock objects
// standing in for systemd-logind and for desktop session managers, so that a real shutdown
// request can be exercised without any of it ever reaching the machine's own buses.
//
// Once startBus() has run, the process's system and session bus addresses lead to the private
// buses. The members that check something report through QVERIFY, so the caller looks at
// QTest::currentTestFailed() afterwards.
class MockLoginManager
{
public:
    enum class Bus
    {
        System,
        Session
    };

    MockLoginManager();
    ~MockLoginManager();
    MockLoginManager(const MockLoginManager&) = delete;
    MockLoginManager& operator=(const MockLoginManager&) = delete;

    // Starts the private buses. Call once, from initTestCase(). A machine without dbus-daemon is
    // not a failure: hasBus() stays false and unavailableReason() says why.
    void startBus();
    // Stops the mocks and the buses; both bus addresses lead nowhere again.
    void stopBus();
    bool hasBus() const { return !m_system.address.isEmpty(); }

    // Why the mocks cannot run here; empty when they can.
    QString unavailableReason() const { return m_unavailable; }

    // Starts the logind mock on the system bus and waits until it owns its name.
    void start();
    // Starts a mock on the session bus that owns `service` and whose object at `path` answers
    // `method` of `interface` (arguments of D-Bus `signature`) by running `pythonCode`, or at
    // once and with nothing when that is empty; waits until it owns its name.
    void startSessionManager(const QString& service, const QString& path, const QString& interface,
                             const QString& method, const QString& signature,
                             const QString& pythonCode = {});
    // Stops every mock and waits until their names have left the buses.
    void stop();

    // Replaces the logind mock's do-nothing PowerOff with the given Python body.
    void makePowerOffRun(const QString& pythonCode);
    // Every call the mocks have seen, as "service method(value, ...)": the mocks in the order they
    // were started, each one's calls in order. The values are as the mock's signature reads
    // them, so they show no type. A failed query comes back as "<GetCalls failed>", which no
    // expectation matches.
    QStringList calls();

    // A new connection to a private bus for each call, so that no state carries over between
    // cases.
    QDBusConnection connectionUnderTest(Bus bus = Bus::System);
    // The private bus's address.
    QString address(Bus bus) const;

    // A bus that keeps quiet: the daemon of a private bus stopped (SIGSTOP), the mock that owns
    // `service` stopped, or an address whose socket takes connections and never says a word.
    void pause(Bus bus);
    void pauseMock(const QString& service);
    QString silentBusAddress();
    // Lets everything paused go on and closes the silent socket; true if anything was paused.
    bool resume();
    // Whether a call started the session manager that the session bus can activate (GNOME's);
    // starting it only leaves a mark, it never owns the name.
    bool activated() const;
    // An address where no bus listens.
    QString deadBusAddress() const;
    // Whether `bus` is one of the private buses: only there is the marker name owned.
    bool isPrivateBus(const QDBusConnection& bus) const;

private:
    struct Daemon
    {
        QProcess process;
        QString address;
    };
    struct Mock
    {
        std::unique_ptr<QProcess> process;
        Bus bus;
        QString service;
        QString path;
    };

    void startDaemon(Daemon& daemon, const QString& name);
    void spawnMock(Bus bus, const QString& service, const QString& path, QStringList arguments);
    void addMethod(Bus bus, const QString& service, const QString& path, const QString& interface,
                   const QString& method, const QString& signature, const QString& pythonCode);
    QDBusConnection control(Bus bus) const;
    QString controlName(Bus bus) const;

    QTemporaryDir m_dir;
    Daemon m_system;
    Daemon m_session;
    std::vector<Mock> m_mocks;
    QString m_unavailable;
    QString m_connectionPrefix;
    int m_connections = 0;
    std::vector<qint64> m_paused;
    int m_silentSocket = -1;
};

} // namespace quenzar::testing
