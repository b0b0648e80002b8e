#include "settings/settings_store.h"

#include "settings/settings_keys.h"

#include <utility>

namespace qz {

namespace keys = settings_keys;

namespace {

// A missing value reads as the empty text; anything but text is a failed read.
bool readText(RegistryKey& key, std::string_view name, std::string& out) {
    RegistryRead read = key.read(name);
    switch (read.status) {
    case RegistryReadStatus::Text:
        out = std::move(read.text);
        return true;
    case RegistryReadStatus::Missing:
        out.clear();
        return true;
    case RegistryReadStatus::OtherType:
    case RegistryReadStatus::AccessFailure:
        break;
    }
    return false;
}

std::string_view switchText(bool on) {
    return on ? keys::kSwitchOn : keys::kSwitchOff;
}

} // namespace

SettingsStore::SettingsStore(std::unique_ptr<Registry> registry,
                             std::unique_ptr<RunAtStartup> runAtStartup, std::string executablePath)
    : m_registry(std::move(registry)), m_runAtStartup(std::move(runAtStartup)),
      m_executablePath(std::move(executablePath)) {}

void SettingsStore::LoadSettings(SettingsTarget& target) noexcept {
    // The switch handlers' saves are held until the load is complete: a save in the middle
    // would store the switches not yet set and the language not yet chosen as they are on
    // the screen, and a crash before the next save would then lose them.
    m_loading = true;
    m_saveHeld = false;
    const bool complete = applyLoadedValues(target);
    m_loading = false;
    if (complete && m_saveHeld)
        SaveSettings(target);
}

bool SettingsStore::applyLoadedValues(SettingsTarget& target) noexcept {
    try {
        std::string notifications, stayOnTop, runAtStartup, language, action;
        {
            std::unique_ptr<RegistryKey> key = m_registry->openKey(keys::kSettingsKeyLevels);
            if (!key)
                return false;
            // The everyday values are kept the moment they are read, so a later failed read
            // still leaves them for the start-up.
            if (!readText(*key, keys::kNotifications, notifications) ||
                !readText(*key, keys::kStayOnTop, stayOnTop) ||
                !readText(*key, keys::kRunAtStartup, runAtStartup) ||
                !readText(*key, keys::kLanguage, language) ||
                !readText(*key, keys::kEverydayFlag, m_everydayFlag) ||
                !readText(*key, keys::kEverydayTime, m_savedEverydayTime) ||
                !readText(*key, keys::kAction, action))
                return false;
            // Closed before the controls are set: their handlers save through their own key.
        }

        for (std::string_view word : keys::kActionWords) {
            if (action == word)
                target.pressActionButton(word);
        }

        target.setSwitch(SettingsSwitch::StayOnTop, stayOnTop == keys::kSwitchOn);
        target.setSwitch(SettingsSwitch::RunAtStartup, runAtStartup == keys::kSwitchOn);
        target.setSwitch(SettingsSwitch::Notifications, notifications == keys::kSwitchOn);

        int active = 0;
        if (language == "1")
            active = 1;
        else if (language == "2")
            active = 2;
        else
            active = target.defaultLanguage();
        target.applyLanguage(active);
        return true;
    } catch (...) {
        // A failure inside a control's handler ends the load like a failed read: silently.
        return false;
    }
}

void SettingsStore::SaveSettings(SettingsTarget& target) noexcept {
    if (m_loading) {
        m_saveHeld = true;
        return;
    }
    try {
        saveValues(target);
    } catch (...) {
        // Includes a refused logon entry: the save just ends there.
    }
}

bool SettingsStore::saveValues(SettingsTarget& target) {
    std::unique_ptr<RegistryKey> key = m_registry->openKey(keys::kSettingsKeyLevels);
    if (!key)
        return false;

    if (!key->writeText(keys::kNotifications,
                        switchText(target.switchOn(SettingsSwitch::Notifications))) ||
        !key->writeText(keys::kStayOnTop, switchText(target.switchOn(SettingsSwitch::StayOnTop))) ||
        !key->writeText(keys::kRunAtStartup,
                        switchText(target.switchOn(SettingsSwitch::RunAtStartup))) ||
        !key->writeText(keys::kEverydayFlag, m_everydayFlag))
        return false;

    // An everyday task needs the program started at logon to be re-armed there.
    if (target.everydayChecked()) {
        if (!key->writeText(keys::kRunAtStartup, keys::kSwitchOn) ||
            !key->writeText(keys::kEverydayTime, target.everydayTimeText()))
            return false;
        m_runAtStartup->registerEntry(m_executablePath);
    }

    for (std::string_view word : keys::kActionWords) {
        if (target.actionButtonDown(word) && !key->writeText(keys::kAction, word))
            return false;
    }

    return key->writeText(keys::kLanguage, std::to_string(target.selectedLanguageIndex() + 1));
}

void SettingsStore::swBaslangicChangeState(SettingsTarget& target) {
    if (target.switchOn(SettingsSwitch::RunAtStartup))
        RegisterRunAtStartup(m_executablePath);
    else
        UnregisterRunAtStartup(m_executablePath);
    SaveSettings(target);
}

void SettingsStore::RegisterRunAtStartup(const std::string& path) {
    m_runAtStartup->registerEntry(path);
}

bool SettingsStore::UnregisterRunAtStartup(const std::string& path) noexcept {
    return m_runAtStartup->unregisterEntry(path);
}

} // namespace qz
