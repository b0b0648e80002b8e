#include "settings/win32_registry.h"

#include <windows.h>

#include <vector>

namespace qz {

std::wstring widenUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), size);
    return wide;
}

std::string narrowToUtf8(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string narrow(size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), narrow.data(), size, nullptr,
                            nullptr);
    return narrow;
}

namespace {

class Win32Key : public RegistryKey {
public:
    explicit Win32Key(HKEY key) : m_key(key) {}
    ~Win32Key() override { RegCloseKey(m_key); }
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;

    RegistryRead read(std::string_view name) override {
        const std::wstring valueName = widenUtf8(name);
        // The value may change between asking its size and reading it: ask again then.
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD type = 0;
            DWORD size = 0;
            LONG rc = RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type, nullptr, &size);
            if (rc == ERROR_FILE_NOT_FOUND)
                return {RegistryReadStatus::Missing, {}};
            if (rc != ERROR_SUCCESS)
                return {RegistryReadStatus::AccessFailure, {}};
            if (type != REG_SZ && type != REG_EXPAND_SZ)
                return {RegistryReadStatus::OtherType, {}};
            if (size == 0)
                return {RegistryReadStatus::Text, {}};

            // Room for an odd byte count and a terminator the stored data may lack.
            std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
            DWORD got = DWORD((buffer.size() - 1) * sizeof(wchar_t));
            rc = RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &got);
            if (rc == ERROR_MORE_DATA)
                continue;
            if (rc == ERROR_FILE_NOT_FOUND)
                return {RegistryReadStatus::Missing, {}};
            if (rc != ERROR_SUCCESS)
                return {RegistryReadStatus::AccessFailure, {}};
            if (type != REG_SZ && type != REG_EXPAND_SZ)
                return {RegistryReadStatus::OtherType, {}};
            const size_t chars = got / sizeof(wchar_t);
            std::wstring_view text(buffer.data(), chars);
            if (const size_t nul = text.find(L'\0'); nul != std::wstring_view::npos)
                text = text.substr(0, nul);
            return {RegistryReadStatus::Text, narrowToUtf8(text)};
        }
        return {RegistryReadStatus::AccessFailure, {}};
    }

    bool writeText(std::string_view name, std::string_view text) override {
        const std::wstring valueName = widenUtf8(name);
        const std::wstring data = widenUtf8(text);
        const DWORD bytes = DWORD((data.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(m_key, valueName.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
    }

    bool deleteValue(std::string_view name) override {
        const LONG rc = RegDeleteValueW(m_key, widenUtf8(name).c_str());
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }

private:
    HKEY m_key;
};

} // namespace

std::unique_ptr<RegistryKey> Win32Registry::openKey(const std::vector<std::string>& levels) {
    HKEY current = HKEY_CURRENT_USER;
    bool owned = false;
    for (const std::string& level : levels) {
        HKEY next = nullptr;
        const LONG rc =
            RegCreateKeyExW(current, widenUtf8(level).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &next, nullptr);
        if (owned)
            RegCloseKey(current);
        if (rc != ERROR_SUCCESS)
            return nullptr;
        current = next;
        owned = true;
    }
    if (!owned)
        return nullptr;
    return std::make_unique<Win32Key>(current);
}

} // namespace qz
