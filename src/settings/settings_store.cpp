#include "settings/settings_store.h"

#include "i18n/language_index.h"
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

int languageOf(const std::string& text) {
    for (int language : {kTurkish, kEnglish}) {
        if (text == std::to_string(language))
            return language;
    }
    return 0;
}

} // namespace

SettingsStore::SettingsStore(std::unique_ptr<Registry> registry,
                             std::unique_ptr<RunAtStartup> runAtStartup, std::string executablePath)
    : m_registry(std::move(registry)), m_runAtStartup(std::move(runAtStartup)),
      m_executablePath(std::move(executablePath)) {}

StoredSettings SettingsStore::load() noexcept {
    StoredSettings stored;
    std::unique_ptr<RegistryKey> key = m_registry->openKey(keys::kSettingsKeyLevels);
    if (!key)
        return stored;
    std::string notifications, stayOnTop, runAtStartup, language, action;
    bool notificationsMissing = false;
    // The everyday values are kept the moment they are read, so a later failed read still
    // leaves them for the start-up.
    if (!readText(*key, keys::kNotifications, notifications, &notificationsMissing) ||
        !readText(*key, keys::kStayOnTop, stayOnTop) ||
        !readText(*key, keys::kRunAtStartup, runAtStartup) ||
        !readText(*key, keys::kLanguage, language) ||
        !readText(*key, keys::kEverydayFlag, stored.everydayFlag) ||
        !readText(*key, keys::kEverydayTime, stored.savedEverydayTime) ||
        !readText(*key, keys::kAction, action))
        return stored;

    stored.complete = true;
    stored.action = actionOfStoredWord(action);
    stored.stayOnTop = stayOnTop == keys::kSwitchOn;
    stored.runAtStartup = runAtStartup == keys::kSwitchOn;
    stored.notifications = notificationsMissing || notifications == keys::kSwitchOn;
    stored.language = languageOf(language);
    return stored;
}

bool SettingsStore::save(const SettingsRecord& record) noexcept {
    try {
        std::unique_ptr<RegistryKey> key = m_registry->openKey(keys::kSettingsKeyLevels);
        if (!key)
            return false;
        std::vector<RegistryKey::NamedText> values{
            {keys::kNotifications, switchText(record.notifications)},
            {keys::kStayOnTop, switchText(record.stayOnTop)},
            {keys::kRunAtStartup, switchText(record.runAtStartup)},
            {keys::kEverydayFlag, record.everydayFlag},
        };
        if (record.everydayTime)
            values.push_back({keys::kEverydayTime, *record.everydayTime});
        values.push_back({keys::kAction, std::string(namesOf(record.action).stored)});
        values.push_back({keys::kLanguage, std::to_string(record.language)});
        return key->writeTexts(values);
    } catch (const std::bad_alloc&) {
        // Memory ran out while the record was built: nothing was written.
        return false;
    }
}

void SettingsStore::RegisterRunAtStartup() {
    m_runAtStartup->registerEntry(m_executablePath);
}

bool SettingsStore::UnregisterRunAtStartup() noexcept {
    return m_runAtStartup->unregisterEntry(m_executablePath);
}

} // namespace qz
