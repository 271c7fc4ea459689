#include "shutdown_windows_api.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <reason.h>

namespace quenzar::winapi {

namespace {

// The system's own text for an error code, with its number so that it can be looked up.
std::wstring systemMessage(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr)
        text.assign(buffer, length);
    if (buffer != nullptr)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"Unknown error";
    return text + L" (error " + std::to_wstring(code) + L")";
}

PowerOffRequest failure(const wchar_t* what, DWORD code)
{
    return {false, std::wstring(what) + L": " + systemMessage(code)};
}

class TokenHandle
{
public:
    TokenHandle() = default;
    TokenHandle(const TokenHandle&) = delete;
    TokenHandle& operator=(const TokenHandle&) = delete;
    ~TokenHandle()
    {
        if (m_handle != nullptr)
            CloseHandle(m_handle);
    }
    HANDLE* receive() { return &m_handle; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

} // namespace

PowerOffRequest requestPowerOff()
{
    // Even administrators hold the shutdown privilege disabled; it must be switched on for this
    // process before Windows accepts the request.
    TokenHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                          token.receive()))
        return failure(L"Could not open this program's access token", GetLastError());

    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // SE_SHUTDOWN_NAME, spelt out wide: the macro follows UNICODE, this call does not.
    if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return failure(L"Could not look up the shutdown privilege", GetLastError());

    // AdjustTokenPrivileges succeeds even when the account does not hold the privilege; only
    // the last error tells (ERROR_NOT_ALL_ASSIGNED).
    if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr))
        return failure(L"Could not enable the shutdown privilege", GetLastError());
    const DWORD adjusted = GetLastError();
    if (adjusted != ERROR_SUCCESS)
        return failure(L"This account may not shut the computer down", adjusted);

    // Programs are asked to close as on the Start menu's "Shut down"; none is forced, so a
    // program with unsaved work can still ask its user.
    if (!ExitWindowsEx(EWX_POWEROFF, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_OTHER |
                                         SHTDN_REASON_FLAG_PLANNED))
        return failure(L"Windows refused to shut the computer down", GetLastError());

    return {true, {}};
}

} // namespace quenzar::winapi
