#pragma once

#include "settings/run_at_startup.h"

#include <QString>

namespace qz {

// Run at logon on Linux desktops: the XDG autostart entry "ZE Zivuzoziz.desktop" in the user's
// autostart folder, whose Exec starts the program's path with no arguments and whose TryExec
// names that path, so the entry is skipped once the program is gone. The entry is
// written atomically (a temporary file renamed over the old one).
class XdgRunAtStartup : public RunAtStartup {
public:
    // autostartDir empty: the user's folder, $XDG_CONFIG_HOME/autostart (~/.config/autostart),
    // looked up at every call.
    explicit XdgRunAtStartup(QString autostartDir = {});

    // Throws RunAtStartupError "Failed to create key <folder>" when the folder cannot be
    // created, "Failed to set data for 'ZE Zivuzoziz'" when the entry cannot be written.
    void registerEntry(const std::string& path) override;
    bool unregisterEntry(const std::string& path) noexcept override;

    QString autostartDir() const;
    QString entryFileName() const;

    // The whole entry for the program at path.
    static QString desktopEntryText(const QString& path);
    // path as one quoted argument of an Exec line, escaped for the entry file.
    static QString execArgument(const QString& path);
    // value as an entry file's string (TryExec's, for one).
    static QString entryString(const QString& value);

private:
    QString m_autostartDir;
};

} // namespace qz
