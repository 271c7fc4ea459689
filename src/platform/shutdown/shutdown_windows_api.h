#pragma once

// Plain C++ on purpose: no Qt and no <windows.h> here, so the Win32 side builds and can be checked
// on its own, and its macros (min, max, MessageBox, ...) stay out of every file that includes this.

#include <string>

namespace quenzar::winapi {

struct PowerOffRequest
{
    bool requested = false; // Windows accepted the request and starts shutting down
    std::wstring reason;    // why not, when it did not
};

// Enables the shutdown privilege on this process and asks Windows to shut down and power off, the
// ordinary way: every running program is asked whether it may end, and may object.
PowerOffRequest requestPowerOff();

} // namespace quenzar::winapi
