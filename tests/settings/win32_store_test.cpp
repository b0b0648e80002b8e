// The settings store and the logon entry over the Win32 registry (run under Wine).

#include "fake_harness.h"
#include "settings/settings_keys.h"
#include "settings/win32_registry.h"
#include "settings/win32_run_at_startup.h"

#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

namespace qz::test {
namespace {

const wchar_t* const kSettingsKey = L"Software\\QZ Software\\QZScheduler";
const wchar_t* const kEntryName = L"ZE Zivuzoziz";

// Gives key (under HKEY_CURRENT_USER) a DACL from an SDDL text; false when that failed.
bool setKeyDacl(const wchar_t* key, const wchar_t* sddl) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, WRITE_DAC, &handle) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                   &descriptor, nullptr) &&
              RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(handle);
    return ok;
}

const wchar_t* const kReadOnly = L"D:P(A;;KR;;;WD)";
const wchar_t* const kFullAccess = L"D:P(A;;KA;;;WD)";

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<RawValue> rawValue(const wchar_t* key, const wchar_t* name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(handle, name, nullptr, &value.type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        value.data.resize(size);
        rc = RegQueryValueExW(handle, name, nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void putRaw(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(handle, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(handle);
}

void putString(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    putRaw(key, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::string> textOf(const std::optional<RawValue>& value) {
    if (!value || value->type != REG_SZ)
        return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(value->data.data()),
                      value->data.size() / sizeof(wchar_t));
    if (const size_t nul = text.find(L'\0'); nul != std::wstring::npos)
        text.resize(nul);
    return narrowToUtf8(text);
}

// Leaves the user's registry of the Wine prefix without our key and our Run value.
void cleanRegistry() {
    setKeyDacl(kSettingsKey, kFullAccess);
    setKeyDacl(Win32RunAtStartup::kRunKeyPath, kFullAccess);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QZ Software");
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Win32RunAtStartup::kRunKeyPath, 0, KEY_SET_VALUE, &run) ==
        ERROR_SUCCESS) {
        RegDeleteValueW(run, kEntryName);
        RegCloseKey(run);
    }
}

// Every test works below a scratch key that stands in for HKEY_CURRENT_USER, so not even a
// run outside a throw-away Wine prefix can touch the user's own settings or Run key.
class RegistrySandbox : public ::testing::Environment {
public:
    void SetUp() override {
        const std::wstring path =
            L"Software\\QZ Software Tests\\" + std::to_wstring(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &m_sandbox, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, m_sandbox), ERROR_SUCCESS);
        // A key made under HKEY_CURRENT_USER must land in the sandbox, or no test may run.
        HKEY probe = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Probe", 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &probe, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(probe);
        ASSERT_EQ(RegOpenKeyExW(m_sandbox, L"Probe", 0, KEY_READ, &probe), ERROR_SUCCESS);
        RegCloseKey(probe);
        RegDeleteKeyW(m_sandbox, L"Probe");
    }
    void TearDown() override {
        cleanRegistry();
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(m_sandbox);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QZ Software Tests");
    }

private:
    HKEY m_sandbox = nullptr;
};

[[maybe_unused]] const auto* const kSandbox =
    ::testing::AddGlobalTestEnvironment(new RegistrySandbox);

class Win32Harness : public StoreHarness {
public:
    Win32Harness() { cleanRegistry(); }
    ~Win32Harness() override { cleanRegistry(); }

    std::unique_ptr<Registry> registry() override { return std::make_unique<Win32Registry>(); }
    std::unique_ptr<RunAtStartup> runAtStartup() override {
        return std::make_unique<Win32RunAtStartup>();
    }
    std::optional<std::string> storedText(const std::string& name) override {
        return textOf(rawValue(kSettingsKey, widenUtf8(name).c_str()));
    }
    void storeText(const std::string& name, const std::string& text) override {
        putString(kSettingsKey, widenUtf8(name).c_str(), widenUtf8(text));
    }
    void storeOtherType(const std::string& name) override {
        const DWORD one = 1;
        putRaw(kSettingsKey, widenUtf8(name).c_str(), REG_DWORD, &one, sizeof one);
    }
    bool makeReadOnly() override { return setKeyDacl(kSettingsKey, kReadOnly); }
    std::optional<std::string> runEntry() override {
        return textOf(rawValue(Win32RunAtStartup::kRunKeyPath, kEntryName));
    }
    void storeForeignRunEntry() override {
        putString(Win32RunAtStartup::kRunKeyPath, kEntryName, L"\"C:\\Other\\other.exe\" /quiet");
    }
    std::string executablePath(const std::string& folder) override {
        return "C:\\" + folder + "\\QZ Scheduler\\qzscheduler.exe";
    }
};

INSTANTIATE_TEST_SUITE_P(
    Stores, StoreScenarios,
    ::testing::Values(fakeHarnessParam(),
                      HarnessParam{"Win32", [] { return std::make_unique<Win32Harness>(); }}),
    HarnessName);

class Win32Store : public ::testing::Test {
protected:
    void SetUp() override { cleanRegistry(); }
    void TearDown() override { cleanRegistry(); }
};

TEST_F(Win32Store, ReadsTextTypesUpToTheirFirstNulAndNothingElse) {
    const struct {
        const char* label;
        DWORD type;
        std::vector<BYTE> data;
        RegistryReadStatus status;
        const char* text;
    } cases[] = {
        {"REG_SZ", REG_SZ, {'1', 0, 0, 0}, RegistryReadStatus::Text, "1"},
        {"REG_EXPAND_SZ is not expanded",
         REG_EXPAND_SZ,
         {'%', 0, 'P', 0, '%', 0, 0, 0},
         RegistryReadStatus::Text,
         "%P%"},
        {"embedded NUL", REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}, RegistryReadStatus::Text, "a"},
        {"no terminator", REG_SZ, {'a', 0, 'b', 0}, RegistryReadStatus::Text, "ab"},
        {"odd size", REG_SZ, {'a', 0, 'b'}, RegistryReadStatus::Text, "a"},
        {"size zero", REG_SZ, {}, RegistryReadStatus::Text, ""},
        {"non-ASCII", REG_SZ, {0xFC, 0, 0, 0}, RegistryReadStatus::Text, "\xC3\xBC"},
        {"REG_DWORD", REG_DWORD, {1, 0, 0, 0}, RegistryReadStatus::OtherType, ""},
        {"REG_BINARY", REG_BINARY, {'1', 0}, RegistryReadStatus::OtherType, ""},
        {"REG_MULTI_SZ", REG_MULTI_SZ, {'1', 0, 0, 0, 0, 0}, RegistryReadStatus::OtherType, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        putRaw(kSettingsKey, L"swUstte", c.type, c.data.data(), DWORD(c.data.size()));
        auto key = Win32Registry().openKey(settings_keys::kSettingsKeyLevels);
        ASSERT_TRUE(key);
        const RegistryRead read = key->read("swUstte");
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.text, c.text);
        EXPECT_EQ(key->read("gorev").status, RegistryReadStatus::Missing);
    }
}

TEST_F(Win32Store, WritesRegSzWithItsTerminatingNul) {
    auto key = Win32Registry().openKey(settings_keys::kSettingsKeyLevels);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->writeText("saat", "07:15"));
    const auto raw = rawValue(kSettingsKey, L"saat");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, DWORD(REG_SZ));
    EXPECT_EQ(raw->data, (std::vector<BYTE>{'0', 0, '7', 0, ':', 0, '1', 0, '5', 0, 0, 0}));
    EXPECT_TRUE(key->deleteValue("saat"));
    EXPECT_TRUE(key->deleteValue("saat"));
    EXPECT_EQ(rawValue(kSettingsKey, L"saat"), std::nullopt);
}

TEST_F(Win32Store, RunValueIsThePathUnquoted) {
    Win32RunAtStartup entry;
    entry.registerEntry("C:\\Program Files\\QZ Scheduler\\qzscheduler.exe");
    const auto raw = rawValue(Win32RunAtStartup::kRunKeyPath, kEntryName);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, DWORD(REG_SZ));
    EXPECT_EQ(textOf(raw), "C:\\Program Files\\QZ Scheduler\\qzscheduler.exe");
}

TEST_F(Win32Store, RefusedRunKeyRaisesTheCreateKeyMessage) {
    Win32RunAtStartup entry;
    entry.registerEntry("C:\\QZ\\qzscheduler.exe");
    ASSERT_TRUE(setKeyDacl(Win32RunAtStartup::kRunKeyPath, kReadOnly));
    try {
        entry.registerEntry("C:\\Moved\\qzscheduler.exe");
        ADD_FAILURE() << "no error raised";
    } catch (const RunAtStartupError& e) {
        EXPECT_STREQ(e.what(),
                     "Failed to create key Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    }
    EXPECT_FALSE(entry.unregisterEntry("C:\\QZ\\qzscheduler.exe"));
    EXPECT_EQ(textOf(rawValue(Win32RunAtStartup::kRunKeyPath, kEntryName)),
              "C:\\QZ\\qzscheduler.exe");
}

} // namespace
} // namespace qz::test
