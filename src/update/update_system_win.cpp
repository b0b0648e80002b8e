#include "update/update_system.h"

#include <windows.h>

#include <vector>

namespace qz {

QString programFileName(const QString& baseName) {
    return baseName + QStringLiteral(".exe");
}

QString versionResourceText() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return {};
    std::vector<char> block(size);
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!GetFileVersionInfoW(path, 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", &fixed, &fixedSize) ||
        fixedSize < sizeof(VS_FIXEDFILEINFO))
        return {};
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(HIWORD(info->dwFileVersionMS))
        .arg(LOWORD(info->dwFileVersionMS))
        .arg(HIWORD(info->dwFileVersionLS))
        .arg(LOWORD(info->dwFileVersionLS));
}

bool ownedByThisUser(const QFileInfo&) {
    return true;
}

bool makeStartable(const QString&) {
    // A program file is one by its name.
    return true;
}

} // namespace qz
