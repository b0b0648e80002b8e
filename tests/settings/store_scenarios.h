#pragma once

// The store's rules checked over a real per-user store: each platform's test binary gives a
// harness for its store and instantiates StoreScenarios with it (and with the fake).

#include "settings/registry.h"
#include "settings/run_at_startup.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace qz::test {

class StoreHarness {
public:
    virtual ~StoreHarness() = default;

    virtual std::unique_ptr<Registry> registry() = 0;
    virtual std::unique_ptr<RunAtStartup> runAtStartup() = 0;

    // The settings key's values as stored, read without the code under test.
    virtual std::optional<std::string> storedText(const std::string& name) = 0;
    virtual void storeText(const std::string& name, const std::string& text) = 0;
    // A value under name that is not text (a number on Windows, a non-text INI value).
    virtual void storeOtherType(const std::string& name) = 0;
    // Makes every later write of the settings refused. False when this machine can't.
    virtual bool makeReadOnly() = 0;

    // The program the logon entry starts, as the platform will read it; nullopt: no entry.
    virtual std::optional<std::string> runEntry() = 0;
    // An entry of the same name written by someone else.
    virtual void storeForeignRunEntry() = 0;
    // A full executable path with blanks in it, valid for this platform.
    virtual std::string executablePath(const std::string& folder) = 0;
};

struct HarnessParam {
    const char* name;
    std::function<std::unique_ptr<StoreHarness>()> make;
};

inline std::string PrintToString(const HarnessParam& param) {
    return param.name;
}

class StoreScenarios : public ::testing::TestWithParam<HarnessParam> {
protected:
    void SetUp() override { harness = GetParam().make(); }
    void TearDown() override { harness.reset(); }
    std::unique_ptr<StoreHarness> harness;
};

inline std::string HarnessName(const ::testing::TestParamInfo<HarnessParam>& info) {
    return info.param.name;
}

} // namespace qz::test
