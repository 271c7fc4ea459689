#pragma once

#include "platform/shutdown/shutdown.h"

#include <QDBusConnection>

#include <optional>

namespace quenzar {

// Asks systemd-logind to power the computer off, the way a desktop's own "Shut down" entry does:
// logind checks with polkit, which may show the user a password prompt first.
class LogindShutdown : public Shutdown
{
public:
    // Long enough for the user to read and answer a polkit prompt, short enough that a stuck
    // login manager cannot hang the program for good.
    static constexpr int defaultTimeoutMs = 2 * 60 * 1000;

    // On the system bus, reached only when the player asks to power off: nobody pays for the
    // connection at start-up.
    LogindShutdown();
    explicit LogindShutdown(QDBusConnection bus, int timeoutMs = defaultTimeoutMs);

    ShutdownResult powerOff() override;

private:
    std::optional<QDBusConnection> m_bus;
    int m_timeoutMs = defaultTimeoutMs;
};

} // namespace quenzar
