#pragma once

// Recording stand-ins for the registry and the logon entry, shared by the Linux and the
// Windows test binaries (no Qt, no platform API).

#include "settings/registry.h"
#include "settings/run_at_startup.h"
#include "settings/settings_keys.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qz::test {

struct FakeRegistryState {
    struct Value {
        bool isText = true;
        std::string text;
    };
    std::map<std::string, Value, std::less<>> values;
    std::vector<std::string> writeLog; // "name=text" for every accepted write
    int writesBeforeRefusal = -1;      // refuse every write after this many; -1: never
    bool openFails = false;
    bool readsFail = false;
};

class FakeRegistry : public Registry {
public:
    explicit FakeRegistry(std::shared_ptr<FakeRegistryState> state) : m_state(std::move(state)) {}

    std::unique_ptr<RegistryKey> openKey(const std::vector<std::string>& levels) override {
        if (m_state->openFails || levels != settings_keys::kSettingsKeyLevels)
            return nullptr;
        return std::make_unique<Key>(m_state);
    }

private:
    class Key : public RegistryKey {
    public:
        explicit Key(std::shared_ptr<FakeRegistryState> state) : m_state(std::move(state)) {}
        RegistryRead read(std::string_view name) override {
            if (m_state->readsFail)
                return {RegistryReadStatus::AccessFailure, {}};
            const auto it = m_state->values.find(name);
            if (it == m_state->values.end())
                return {RegistryReadStatus::Missing, {}};
            if (!it->second.isText)
                return {RegistryReadStatus::OtherType, {}};
            return {RegistryReadStatus::Text, it->second.text};
        }
        bool writeText(std::string_view name, std::string_view text) override {
            if (m_state->writesBeforeRefusal >= 0 &&
                int(m_state->writeLog.size()) >= m_state->writesBeforeRefusal)
                return false;
            m_state->values[std::string(name)] = {true, std::string(text)};
            m_state->writeLog.push_back(std::string(name) + "=" + std::string(text));
            return true;
        }
        bool deleteValue(std::string_view name) override {
            if (const auto it = m_state->values.find(name); it != m_state->values.end())
                m_state->values.erase(it);
            return true;
        }

    private:
        std::shared_ptr<FakeRegistryState> m_state;
    };

    std::shared_ptr<FakeRegistryState> m_state;
};

struct FakeRunAtStartupState {
    std::optional<std::string> entry;
    bool registerFails = false;
    bool unregisterFails = false;
    int registerCalls = 0;
};

class FakeRunAtStartup : public RunAtStartup {
public:
    explicit FakeRunAtStartup(std::shared_ptr<FakeRunAtStartupState> state)
        : m_state(std::move(state)) {}

    void registerEntry(const std::string& path) override {
        ++m_state->registerCalls;
        if (m_state->registerFails)
            throw RunAtStartupError(std::string("Failed to set data for '") + kRunAtStartupName +
                                    "'");
        m_state->entry = path;
    }
    bool unregisterEntry(const std::string& path) noexcept override {
        if (path.empty() || m_state->unregisterFails)
            return false;
        m_state->entry.reset();
        return true;
    }

private:
    std::shared_ptr<FakeRunAtStartupState> m_state;
};

} // namespace qz::test
