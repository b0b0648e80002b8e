#pragma once

#include "settings/registry.h"

namespace qz {

// The current user's registry on Windows (HKEY_CURRENT_USER), plain Win32. Keys are created
// level by level with full access; REG_SZ and REG_EXPAND_SZ read as text up to the first NUL
// (never expanded), a zero-sized value as the empty text, any other type as OtherType; texts
// are written as REG_SZ with their terminating NUL.
class Win32Registry : public Registry {
public:
    std::unique_ptr<RegistryKey> openKey(const std::vector<std::string>& levels) override;
};

// UTF-8 <-> UTF-16 for the Win32 side.
std::wstring widenUtf8(std::string_view text);
std::string narrowToUtf8(std::wstring_view text);

} // namespace qz
