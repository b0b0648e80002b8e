#include "settings/ini_registry.h"
#include "settings/user_settings.h"
#include "settings/xdg_run_at_startup.h"

namespace qz {

std::unique_ptr<SettingsStore> createUserSettingsStore() {
    return std::make_unique<SettingsStore>(
        std::make_unique<IniRegistry>(), std::make_unique<XdgRunAtStartup>(), runningProgramPath());
}

} // namespace qz
