#pragma once

#include "settings/registry.h"

#include <QString>

namespace qz {

// The current user's registry on Linux: one INI file, the per-user QSettings file of
// "QZ Software"/"QZScheduler", stands for the settings key HKCU\Software\QZ Software\QZScheduler;
// other key paths cannot be opened. Values that do not decode to text (numbers, byte arrays,
// lists, @Invalid) count as values of another type.
//
// Every write is synced at once (QSettings replaces the file through a temporary file), and a
// write counts as done only when the sync reported no error; a value the file already holds
// is not written again. A file that exists but cannot be read is never replaced; a file that
// cannot be parsed fails every read and is moved aside ("<file>.corrupt") before the first
// write, so nothing of it is lost.
class IniRegistry : public Registry {
public:
    IniRegistry() = default;
    // Tests and tools: a given INI file instead of the user's.
    explicit IniRegistry(QString fileName);

    std::unique_ptr<RegistryKey> openKey(const std::vector<std::string>& levels) override;

    // Where the user's settings file lives (follows QSettings' user path).
    static QString userFileName();

private:
    QString m_fileName;
};

} // namespace qz
