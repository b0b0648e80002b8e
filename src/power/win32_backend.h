#pragma once

#include "power/power_backend.h"

#include <cstdint>
#include <memory>

namespace qz {

// The Win32 calls each operation makes, as replaceable function pointers so that tests can
// check the exact flags without shutting anything down. Plain types only: no <windows.h>.
struct Win32PowerApi {
    int (*exitWindowsEx)(unsigned flags, unsigned long reason);
    bool (*isPwrSuspendAllowed)();
    bool (*isPwrHibernateAllowed)();
    bool (*setSuspendState)(bool hibernate, bool forceCritical, bool disableWakeEvents);
    bool (*lockWorkStation)();
};

// The real Windows functions.
Win32PowerApi win32SystemPowerApi();

class Win32PowerBackend : public PowerBackend {
public:
    explicit Win32PowerBackend(Win32PowerApi api = win32SystemPowerApi()) : m_api(api) {}

    bool setTokenPrivilege(const std::string& name, bool enable) override;
    PowerAvailability availability(PowerAction action) override;
    // Reports the system's message for GetLastError when the call fails.
    void carryOut(PowerAction action, bool askUser, PowerDone done) override;

private:
    Win32PowerApi m_api;
};

} // namespace qz
