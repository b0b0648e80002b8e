#include "settings/user_settings.h"

#include <QCoreApplication>
#include <QDir>

#if defined(Q_OS_WIN)
#include "settings/win32_registry.h"
#include "settings/win32_run_at_startup.h"
#else
#include "settings/ini_registry.h"
#include "settings/xdg_run_at_startup.h"
#endif

namespace qz {

std::unique_ptr<SettingsStore> createUserSettingsStore() {
    const std::string path =
        QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdString();
#if defined(Q_OS_WIN)
    return std::make_unique<SettingsStore>(std::make_unique<Win32Registry>(),
                                           std::make_unique<Win32RunAtStartup>(), path);
#else
    return std::make_unique<SettingsStore>(std::make_unique<IniRegistry>(),
                                           std::make_unique<XdgRunAtStartup>(), path);
#endif
}

} // namespace qz
