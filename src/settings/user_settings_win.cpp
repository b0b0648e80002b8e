#include "settings/user_settings.h"
#include "settings/win32_registry.h"
#include "settings/win32_run_at_startup.h"

namespace qz {

std::unique_ptr<SettingsStore> createUserSettingsStore() {
    return std::make_unique<SettingsStore>(std::make_unique<Win32Registry>(),
                                           std::make_unique<Win32RunAtStartup>(),
                                           runningProgramPath());
}

} // namespace qz
