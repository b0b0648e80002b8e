#include "settings/settings_store.h"

#include "settings/settings_keys.h"

#include <utility>

namespace qz {

namespace keys = settings_keys;

namespace {

// A missing value reads as the empty text, and so does a value of another type: one damaged
// value must not cost the others. False only when the store could not be read at all.
// missing, when given, tells whether nothing of that name is stored.
bool readText(RegistryKey& key, std::string_view name, std::string& out, bool* missing = nullptr) {
    RegistryRead read = key.read(name);
    if (missing)
        *missing = read.status == RegistryReadStatus::Missing;
    switch (read.status) {
    case RegistryReadStatus::Text:
        out = std::move(read.text);
        return true;
    case RegistryReadStatus::Missing:
    case RegistryReadStatus::OtherType:
        out.clear();
        return true;
    case RegistryReadStatus::AccessFailure:
        break;
    }
    return false;
}

std::string switchText(bool on) {
    return std::string(on ? keys::kSwitchOn : keys::kSwitchOff);
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
        bool notificationsMissing = false;
        {
            std::unique_ptr<RegistryKey> key = m_registry->openKey(keys::kSettingsKeyLevels);
            if (!key)
                return false;
            // The everyday values are kept the moment they are read, so a later failed read
            // still leaves them for the start-up.
            if (!readText(*key, keys::kNotifications, notifications, &notificationsMissing) ||
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
        // Nothing stored yet: reminders stay on, as the window is laid out, so the first
        // task set on this account warns before it acts.
        target.setSwitch(SettingsSwitch::Notifications,
                         notificationsMissing || notifications == keys::kSwitchOn);

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
        if (!saveValues(target))
            return;
        // An everyday task needs the program started at logon to be re-armed there. The
        // entry comes after the record, so its failure never costs a stored value.
        if (target.everydayChecked()) {
            if (!target.switchOn(SettingsSwitch::RunAtStartup))
                target.showSwitchState(SettingsSwitch::RunAtStartup, true);
            registerEntry(target);
        }
    } catch (...) {
        // The window's state could not be read; what is stored stays as it was.
    }
}

bool SettingsStore::saveValues(SettingsTarget& target) {
    std::unique_ptr<RegistryKey> key = m_registry->openKey(keys::kSettingsKeyLevels);
    if (!key)
        return false;

    const bool everyday = target.everydayChecked();
    std::vector<RegistryKey::NamedText> record{
        {keys::kNotifications, switchText(target.switchOn(SettingsSwitch::Notifications))},
        {keys::kStayOnTop, switchText(target.switchOn(SettingsSwitch::StayOnTop))},
        {keys::kRunAtStartup,
         switchText(everyday || target.switchOn(SettingsSwitch::RunAtStartup))},
        {keys::kEverydayFlag, m_everydayFlag},
    };
    if (everyday)
        record.push_back({keys::kEverydayTime, target.everydayTimeText()});
    for (std::string_view word : keys::kActionWords) {
        if (target.actionButtonDown(word))
            record.push_back({keys::kAction, std::string(word)});
    }
    record.push_back({keys::kLanguage, std::to_string(target.selectedLanguageIndex() + 1)});
    return key->writeTexts(record);
}

void SettingsStore::swBaslangicChangeState(SettingsTarget& target) {
    applyRunAtStartup(target);
    SaveSettings(target);
}

void SettingsStore::applyRunAtStartup(SettingsTarget& target) {
    if (target.switchOn(SettingsSwitch::RunAtStartup))
        registerEntry(target);
    else
        UnregisterRunAtStartup(m_executablePath);
}

void SettingsStore::registerEntry(SettingsTarget& target) {
    try {
        m_runAtStartup->registerEntry(m_executablePath);
        m_reportedError.clear();
    } catch (const RunAtStartupError& e) {
        // Told once, not at every save that meets the same refusal.
        if (m_reportedError != e.what()) {
            m_reportedError = e.what();
            target.reportError(m_reportedError);
        }
    }
}

void SettingsStore::RegisterRunAtStartup(const std::string& path) {
    m_runAtStartup->registerEntry(path);
}

bool SettingsStore::UnregisterRunAtStartup(const std::string& path) noexcept {
    return m_runAtStartup->unregisterEntry(path);
}

} // namespace qz
