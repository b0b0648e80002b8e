#include "settings/win32_run_at_startup.h"

#include "settings/win32_registry.h"

#include <windows.h>

namespace qz {

namespace {

class KeyCloser {
public:
    explicit KeyCloser(HKEY key) : m_key(key) {}
    ~KeyCloser() { RegCloseKey(m_key); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    HKEY m_key;
};

} // namespace

void Win32RunAtStartup::registerEntry(const std::string& path) {
    HKEY key = nullptr;
    // The created key's handle is written through directly: there is no second open that
    // could fail after the key exists and let a missing entry pass unnoticed.
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw RunAtStartupError("Failed to create key " + narrowToUtf8(kRunKeyPath));
    KeyCloser closer(key);

    const std::wstring name = widenUtf8(kRunAtStartupName);
    const std::wstring data = widenUtf8(path);
    if (RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       DWORD((data.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw RunAtStartupError(std::string("Failed to set data for '") + kRunAtStartupName + "'");
}

bool Win32RunAtStartup::unregisterEntry(const std::string& path) noexcept {
    if (path.empty())
        return false;
    try {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        KeyCloser closer(key);
        const LONG rc = RegDeleteValueW(key, widenUtf8(kRunAtStartupName).c_str());
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    } catch (...) {
        return false;
    }
}

} // namespace qz
