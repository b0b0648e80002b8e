#pragma once

#include "app/user_prompts.h"
#include "power/idle_time.h"
#include "power/power_backend.h"
#include "reminders/notifier.h"
#include "schedule/clock.h"
#include "settings/settings_store.h"
#include "update/update_task.h"
#include "update/update_window.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QSystemTrayIcon;

namespace qz {

// Everything the main window reaches outside itself. main() passes the real services
// (defaultAnaformDeps); tests pass recording fakes and a manual clock. The window keeps
// what it is given for its life, and hands the settings store to its controller. Any member
// may be left empty: the window then does without it (no power call, no reminders, no update
// check, no settings store...).
struct AnaformDeps {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<PowerBackend> power;
    std::unique_ptr<IdleTime> idle;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<UserPrompts> prompts;
    // Builds the reminder notifier once the tray icon exists (its messages are the
    // fallback where no notification service runs).
    std::function<std::unique_ptr<Notifier>(QSystemTrayIcon*)> makeNotifier;
    // Builds the start-up version check over the window; empty, or building nothing,
    // means no check.
    std::function<std::unique_ptr<UpdateTask>(UpdateWindow&)> makeUpdater;
    // Opens the maker's web address in the browser.
    std::function<void(const QUrl&)> openUrl;
    // The system's locale name for the default language ("tr_TR" gives Turkish).
    std::function<QString()> systemLocaleName;
};

// The services of this machine: system clock, the platform's power backend and idle time,
// the current user's settings store, message boxes, notifications, the update server.
AnaformDeps defaultAnaformDeps();

} // namespace qz
