#pragma once

#include "schedule/power_action_names.h"
#include "settings/registry.h"
#include "settings/run_at_startup.h"

#include <memory>
#include <optional>
#include <string>

namespace qz {

// What the settings key holds, read by the rules of the store: a switch is on only for
// exactly "1", the language is 1 or 2 only for exactly that text, the action only for its
// exact word.
struct StoredSettings {
    // Every value could be read. When not, nothing is to be applied: only the everyday
    // values read before the failure are kept.
    bool complete = false;
    std::optional<PowerAction> action;
    bool stayOnTop = false;
    bool runAtStartup = false;
    // Nothing stored yet reads as on: the first task set on this account warns before it acts.
    bool notifications = false;
    int language = 0;         // kTurkish, kEnglish, or 0: none stored, the system's default applies
    std::string everydayFlag; // hergun as stored: exactly "1" re-arms at the next start
    std::string savedEverydayTime; // saat as stored ("HH:MM", or whatever text was there)
};

// What one save writes.
struct SettingsRecord {
    bool notifications = false;
    bool stayOnTop = false;
    bool runAtStartup = false;
    std::string everydayFlag;
    std::optional<std::string> everydayTime; // written only when given
    PowerAction action = PowerAction::Shutdown;
    int language = 0; // the selected language; 0 when none is selected
};

// Keeps the user's settings as text values of the settings key, and the logon entry.
// Knows nothing of the window: the load gives a value, a save takes one. User-interface
// thread only. createUserSettingsStore() in settings/user_settings.h gives the one for the
// current user.
class SettingsStore {
public:
    // executablePath: the running executable's full path as the platform reports it (UTF-8).
    SettingsStore(std::unique_ptr<Registry> registry, std::unique_ptr<RunAtStartup> runAtStartup,
                  std::string executablePath);

    // Reads every value. A value of another type reads as a missing one, alone; a store that
    // cannot be read gives an incomplete value. Never throws.
    StoredSettings load() noexcept;

    // Writes the record as one (the INI file: one replacement of the file). False when the
    // store refused it: what it held before stays. Never throws.
    bool save(const SettingsRecord& record) noexcept;

    // Makes the running program start at logon; throws RunAtStartupError with the reason.
    void RegisterRunAtStartup();
    // Removes the logon entry whoever wrote it; false when that failed. Never throws.
    bool UnregisterRunAtStartup() noexcept;

    const std::string& executablePath() const { return m_executablePath; }

private:
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<RunAtStartup> m_runAtStartup;
    std::string m_executablePath;
};

} // namespace qz
