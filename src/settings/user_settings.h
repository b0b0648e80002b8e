#pragma once

#include "settings/settings_store.h"

#include <memory>
#include <string>

namespace qz {

// The settings store of the current user on this platform: the per-user INI file and the
// XDG autostart entry on Linux, the registry's settings key and Run value on Windows, with
// the path of the running executable. Needs a QCoreApplication.
std::unique_ptr<SettingsStore> createUserSettingsStore();

// The running executable's path in the system's own spelling, as the logon entry names it.
std::string runningProgramPath();

} // namespace qz
