#pragma once

#include "fake_registry.h"
#include "store_scenarios.h"

namespace qz::test {

// The scenarios over the in-memory fakes: the reference the real stores must agree with.
class FakeHarness : public StoreHarness {
public:
    std::unique_ptr<Registry> registry() override { return std::make_unique<FakeRegistry>(m_key); }
    std::unique_ptr<RunAtStartup> runAtStartup() override {
        return std::make_unique<FakeRunAtStartup>(m_run);
    }
    std::optional<std::string> storedText(const std::string& name) override {
        const auto it = m_key->values.find(name);
        if (it == m_key->values.end() || !it->second.isText)
            return std::nullopt;
        return it->second.text;
    }
    void storeText(const std::string& name, const std::string& text) override {
        m_key->values[name] = {true, text};
    }
    void storeOtherType(const std::string& name) override { m_key->values[name] = {false, {}}; }
    bool makeReadOnly() override {
        m_key->writesBeforeRefusal = int(m_key->writeLog.size());
        return true;
    }
    std::optional<std::string> runEntry() override { return m_run->entry; }
    void storeForeignRunEntry() override { m_run->entry = "/opt/someone-else/program"; }
    std::string executablePath(const std::string& folder) override {
        return "/home/user/" + folder + "/qzscheduler";
    }

private:
    std::shared_ptr<FakeRegistryState> m_key = std::make_shared<FakeRegistryState>();
    std::shared_ptr<FakeRunAtStartupState> m_run = std::make_shared<FakeRunAtStartupState>();
};

inline HarnessParam fakeHarnessParam() {
    return {"Fake", [] { return std::make_unique<FakeHarness>(); }};
}

} // namespace qz::test
