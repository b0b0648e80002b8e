#pragma once

#include "settings/run_at_startup.h"

namespace qz {

// Run at logon on Windows: the REG_SZ value "ZE Zivuzoziz" under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run holding the executable's path, unquoted.
class Win32RunAtStartup : public RunAtStartup {
public:
    static constexpr const wchar_t* kRunKeyPath =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

    void registerEntry(const std::string& path) override;
    bool unregisterEntry(const std::string& path) noexcept override;
};

} // namespace qz
