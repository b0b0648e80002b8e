#include "power/win32_backend.h"

#include <windows.h>

// Needs the types of <windows.h> first.
#include <powrprof.h>

#include <vector>

namespace qz {

namespace {

std::string utf8(const wchar_t* text, int length) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring wide(const std::string& text) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            size);
    return out;
}

// The system's message text for an error code, without the trailing line break.
std::string systemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0 && buffer) {
        text = utf8(buffer, static_cast<int>(length));
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
            text.pop_back();
    }
    if (buffer)
        LocalFree(buffer);
    if (text.empty())
        text = "System error " + std::to_string(code);
    return text;
}

} // namespace

Win32PowerApi win32SystemPowerApi() {
    return Win32PowerApi{
        [](unsigned flags, unsigned long reason) -> int {
            return ExitWindowsEx(flags, static_cast<DWORD>(reason));
        },
        []() -> bool { return IsPwrSuspendAllowed() != FALSE; },
        []() -> bool { return IsPwrHibernateAllowed() != FALSE; },
        [](bool hibernate, bool forceCritical, bool disableWakeEvents) -> bool {
            return SetSuspendState(hibernate, forceCritical, disableWakeEvents) != FALSE;
        },
        []() -> bool { return LockWorkStation() != FALSE; },
    };
}

bool Win32PowerBackend::setTokenPrivilege(const std::string& name, bool enable) {
    // Only this call's own failures count, not an error code left by earlier calls.
    SetLastError(ERROR_SUCCESS);
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        const std::wstring wideName = wide(name);
        if (LookupPrivilegeValueW(nullptr, wideName.c_str(), &privileges.Privileges[0].Luid)) {
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
            TOKEN_PRIVILEGES previous{};
            DWORD previousLength = 0;
            // Succeeds with ERROR_NOT_ALL_ASSIGNED when the privilege is not held: the last
            // error below catches that case too.
            AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(privileges), &previous,
                                  &previousLength);
        }
        const DWORD error = GetLastError();
        CloseHandle(token);
        SetLastError(error);
    }
    const DWORD error = GetLastError();
    if (error != ERROR_SUCCESS)
        throw PowerError(systemMessage(error));
    return true;
}

PowerAvailability Win32PowerBackend::availability(PowerAction action) {
    switch (action) {
    case PowerAction::Suspend:
        if (!m_api.isPwrSuspendAllowed())
            return {false, "IsPwrSuspendAllowed: no"};
        break;
    case PowerAction::Hibernate:
        if (!m_api.isPwrHibernateAllowed())
            return {false, "IsPwrHibernateAllowed: no"};
        break;
    case PowerAction::Shutdown:
    case PowerAction::Restart:
    case PowerAction::Lock:
    case PowerAction::Signout:
        break;
    }
    return {};
}

namespace {

bool request(const Win32PowerApi& api, PowerAction action) {
    switch (action) {
    case PowerAction::Shutdown:
        return api.exitWindowsEx(EWX_SHUTDOWN | EWX_FORCE, 0) != 0;
    case PowerAction::Restart:
        return api.exitWindowsEx(EWX_REBOOT | EWX_FORCE, 0) != 0;
    case PowerAction::Signout:
        return api.exitWindowsEx(EWX_LOGOFF | EWX_FORCE, 0) != 0;
    case PowerAction::Suspend:
        return api.setSuspendState(false, false, false);
    case PowerAction::Hibernate:
        return api.setSuspendState(true, false, false);
    case PowerAction::Lock:
        return api.lockWorkStation();
    }
    return false;
}

} // namespace

void Win32PowerBackend::carryOut(PowerAction action, bool, PowerDone done) {
    // Taken before anything else can overwrite the call's error code.
    const bool succeeded = request(m_api, action);
    done(succeeded ? std::string() : systemMessage(GetLastError()));
}

std::unique_ptr<PowerBackend> createPowerBackend() {
    return std::make_unique<Win32PowerBackend>();
}

} // namespace qz
