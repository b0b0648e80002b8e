#include "app/anaform_deps.h"

#include "app/user_prompts.h"
#include "i18n/system_language.h"
#include "power/idle_time.h"
#include "power/power_backend.h"
#include "reminders/notifier.h"
#include "schedule/clock.h"
#include "settings/settings_store.h"
#include "settings/user_settings.h"
#include "update/updater.h"

#include <QDesktopServices>

namespace qz {

AnaformDeps defaultAnaformDeps() {
    AnaformDeps deps;
    deps.clock = std::make_unique<SystemClock>();
    deps.power = createPowerBackend();
    deps.idle = createIdleTime();
    deps.settings = createUserSettingsStore();
    deps.prompts = std::make_unique<MessageBoxPrompts>();
    deps.makeNotifier = [](QSystemTrayIcon* icon) { return createNotifier(icon); };
    deps.makeUpdater = [](UpdateWindow& window) -> std::unique_ptr<UpdateTask> {
        return std::make_unique<Updater>(window, defaultUpdateOptions());
    };
    deps.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    deps.systemLocaleName = [] { return systemLanguageLocaleName(); };
    return deps;
}

} // namespace qz
