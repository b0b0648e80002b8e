#pragma once

// The Linux per-user stores in a throw-away home: HOME and XDG_CONFIG_HOME point into a
// temporary folder for the harness's lifetime.

#include "store_scenarios.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <string>

namespace qz::test {

class LinuxHarness : public StoreHarness {
public:
    LinuxHarness();
    ~LinuxHarness() override;

    std::unique_ptr<Registry> registry() override;
    std::unique_ptr<RunAtStartup> runAtStartup() override;
    std::optional<std::string> storedText(const std::string& name) override;
    void storeText(const std::string& name, const std::string& text) override;
    void storeOtherType(const std::string& name) override;
    bool makeReadOnly() override;
    std::optional<std::string> runEntry() override;
    void storeForeignRunEntry() override;
    std::string executablePath(const std::string& folder) override;

    QString root() const { return m_dir.path(); }
    QString configDir() const { return m_dir.path() + QStringLiteral("/config"); }
    QString settingsDir() const { return configDir() + QStringLiteral("/QZ Software"); }
    QString settingsFile() const { return settingsDir() + QStringLiteral("/QZScheduler.ini"); }
    QString autostartDir() const { return configDir() + QStringLiteral("/autostart"); }
    QString entryFile() const { return autostartDir() + QStringLiteral("/ZE Zivuzoziz.desktop"); }

    // Makes a folder refuse new files, also for root (chmod where it binds, else the
    // immutable flag). Undone by the destructor. False when neither works here.
    bool lockFolder(const QString& folder);

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome, m_oldConfig;
    QStringList m_lockedFolders;
    int m_readbacks = 0;
};

// The program an autostart entry's Exec line starts, decoded the way a desktop reads it:
// the entry's string escapes first, then %% and the shell-like quoting of the argument.
std::optional<std::string> programOfEntry(const QString& entryText);

} // namespace qz::test
