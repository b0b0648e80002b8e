#pragma once

#include "settings/registry.h"
#include "settings/run_at_startup.h"
#include "settings/settings_target.h"

#include <memory>
#include <string>

namespace qz {

// Keeps the user's settings as text values of the settings key and the logon entry in step
// with the settings. Holds the everyday flag (value hergun) and the saved everyday time
// (value saat) between a load and the next save, and whether a load is under way.
// User-interface thread only.
//
// The main window owns one store for its whole life (createUserSettingsStore() in
// settings/user_settings.h gives the one for the current user) and implements
// SettingsTarget; the store keeps no pointer to the window.
class SettingsStore {
public:
    // executablePath: the running executable's full path as the platform reports it (UTF-8).
    SettingsStore(std::unique_ptr<Registry> registry, std::unique_ptr<RunAtStartup> runAtStartup,
                  std::string executablePath);

    // First step of FormCreate. Reads all values, then presses the saved action's button,
    // sets the switches and makes a language active. A value of another type reads as a
    // missing one, alone. The saves the switch handlers ask for meanwhile are held and done
    // once, after the language step; a store that cannot be read ends the load before any
    // control is touched, and a failure in a handler ends it without the held save, so the
    // file keeps what it held. Never throws.
    void LoadSettings(SettingsTarget& target) noexcept;

    // Writes the window's current state as one record (the INI file: one replacement of the
    // file). With the everyday trigger checked the record stores the run-at-startup switch
    // as on and the everyday time; after the record is stored, the switch on the screen is
    // turned on to match and the logon entry is registered, its failure reported through
    // SettingsTarget::reportError. A refused record write reports nothing. Never throws.
    void SaveSettings(SettingsTarget& target) noexcept;

    // The run-at-startup switch's change handler: registers or removes the logon entry
    // following the switch, then saves.
    void swBaslangicChangeState(SettingsTarget& target);

    // Registers or removes the logon entry following the switch (FormShow); a failed
    // registration is reported, never thrown.
    void applyRunAtStartup(SettingsTarget& target);

    // For FormShow: RegisterRunAtStartup throws RunAtStartupError; Unregister never throws.
    void RegisterRunAtStartup(const std::string& path);
    bool UnregisterRunAtStartup(const std::string& path) noexcept;

    const std::string& executablePath() const { return m_executablePath; }

    // The everyday flag: exactly "1" makes the next start re-arm the everyday task. The store
    // is the one place it lives: LoadSettings sets it before it touches any control, and the
    // save that ends LoadSettings writes it. A copy kept in the window and pushed back with
    // setEverydayFlag before every save would overwrite the loaded "1" with the copy's stale
    // text; read and set it here instead.
    const std::string& everydayFlag() const { return m_everydayFlag; }
    void setEverydayFlag(std::string flag) { m_everydayFlag = std::move(flag); }
    // The everyday time as last loaded ("HH:MM", or whatever text was stored).
    const std::string& savedEverydayTime() const { return m_savedEverydayTime; }

private:
    // The load's steps after the reads; false when a read or a handler failed.
    bool applyLoadedValues(SettingsTarget& target) noexcept;
    bool saveValues(SettingsTarget& target);
    void registerEntry(SettingsTarget& target);

    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<RunAtStartup> m_runAtStartup;
    std::string m_executablePath;
    std::string m_everydayFlag;
    std::string m_savedEverydayTime;
    std::string m_reportedError; // the registration failure last reported, until one succeeds
    bool m_loading = false;
    bool m_saveHeld = false;
};

} // namespace qz
