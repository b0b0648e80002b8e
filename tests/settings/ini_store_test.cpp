// The settings store over the per-user INI file, and what it does with a bad file.

#include "fake_harness.h"
#include "linux_harness.h"
#include "settings/ini_registry.h"
#include "settings/settings_keys.h"
#include "settings/user_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

namespace qz::test {
namespace {

INSTANTIATE_TEST_SUITE_P(
    Stores, StoreScenarios,
    ::testing::Values(fakeHarnessParam(),
                      HarnessParam{"Ini", [] { return std::make_unique<LinuxHarness>(); }}),
    HarnessName);

QByteArray readAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& fileName, const QByteArray& bytes) {
    QDir().mkpath(fileName.section(QLatin1Char('/'), 0, -2));
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class IniStore : public ::testing::Test {
protected:
    LinuxHarness home;
};

TEST_F(IniStore, OnlyTextDecodesAsText) {
    const struct {
        const char* raw;
        RegistryReadStatus status;
        const char* text;
    } cases[] = {
        {"1", RegistryReadStatus::Text, "1"},
        {"\" 1\"", RegistryReadStatus::Text, " 1"},
        {"", RegistryReadStatus::Text, ""},
        {"@String(a\\0b)", RegistryReadStatus::Text, "a"}, // ends at the NUL, like the registry
        {"@ByteArray(1)", RegistryReadStatus::OtherType, ""},
        {"1, 2", RegistryReadStatus::OtherType, ""}, // a list
        {"@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x1)", RegistryReadStatus::OtherType, ""},
        {"@Invalid()", RegistryReadStatus::OtherType, ""},
        {"@Rect(0 0 1 1)", RegistryReadStatus::OtherType, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        ASSERT_TRUE(
            writeAll(home.settingsFile(), QByteArray("[General]\nswUstte=") + c.raw + "\n"));
        auto key = IniRegistry().openKey(settings_keys::kSettingsKeyLevels);
        ASSERT_TRUE(key);
        const RegistryRead read = key->read("swUstte");
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.text, c.text);
        EXPECT_EQ(key->read("gorev").status, RegistryReadStatus::Missing);
    }
}

TEST_F(IniStore, WritesOnlyWhatChanges) {
    // The comment is lost whenever the file is rewritten.
    const QByteArray stored("; by hand\n[General]\ngorev=restart\ndil=1\n");
    ASSERT_TRUE(writeAll(home.settingsFile(), stored));
    {
        auto key = IniRegistry().openKey(settings_keys::kSettingsKeyLevels);
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->writeText("gorev", "restart"));
        EXPECT_TRUE(key->writeText("dil", "1"));
    }
    EXPECT_EQ(readAll(home.settingsFile()), stored);

    auto key = IniRegistry().openKey(settings_keys::kSettingsKeyLevels);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->writeText("dil", "2"));
    EXPECT_TRUE(key->writeText("gorev", "restart"));
    EXPECT_FALSE(readAll(home.settingsFile()).contains("; by hand"));
    auto reopened = IniRegistry().openKey(settings_keys::kSettingsKeyLevels);
    EXPECT_EQ(reopened->read("dil").text, "2");
    EXPECT_EQ(reopened->read("gorev").text, "restart");
}

TEST_F(IniStore, OtherKeyPathsDoNotOpen) {
    EXPECT_EQ(IniRegistry().openKey({"Software", "QZ Software"}), nullptr);
}

// What a first start does with a settings file it cannot use: the load fails before any
// control, nothing is shown, and the saves that follow never destroy what was there.
TEST_F(IniStore, CorruptFileFailsTheLoadAndIsMovedAsideOnTheNextSave) {
    const QByteArray corrupt("[General\nswUstte=1\n\xff\xfe\x01garbage\n[x]]]\n=\n");
    ASSERT_TRUE(writeAll(home.settingsFile(), corrupt));

    SettingsStore store(home.registry(), home.runAtStartup(), "/opt/qz/qzscheduler");
    EXPECT_FALSE(store.load().complete);

    const SettingsRecord record; // the switches off, shutdown
    EXPECT_TRUE(store.save(record));
    EXPECT_EQ(readAll(home.settingsFile() + QStringLiteral(".corrupt")), corrupt);
    EXPECT_EQ(home.storedText("swUstte"), "0");
    EXPECT_EQ(home.storedText("gorev"), "shutdown");

    // A second bad file does not overwrite the first one kept aside.
    ASSERT_TRUE(writeAll(home.settingsFile(), corrupt + "again"));
    store.save(record);
    EXPECT_EQ(readAll(home.settingsFile() + QStringLiteral(".corrupt-2")), corrupt + "again");
    EXPECT_EQ(readAll(home.settingsFile() + QStringLiteral(".corrupt")), corrupt);
}

TEST_F(IniStore, UnreadableFileFailsTheLoadAndIsNeverReplaced) {
    const QByteArray stored("[General]\nswUstte=0\ngorev=lock\n");
    ASSERT_TRUE(writeAll(home.settingsFile(), stored));
    // Root reads any file, so there a folder stands in the file's place instead.
    const bool asFolder = ::geteuid() == 0;
    if (asFolder) {
        QFile::remove(home.settingsFile());
        ASSERT_TRUE(QDir().mkpath(home.settingsFile()));
    } else {
        ASSERT_TRUE(QFile::setPermissions(home.settingsFile(), QFileDevice::WriteOwner));
    }

    SettingsStore store(home.registry(), home.runAtStartup(), "/opt/qz/qzscheduler");
    EXPECT_FALSE(store.load().complete);
    SettingsRecord record;
    record.everydayTime = "23:00";
    EXPECT_FALSE(store.save(record));

    if (asFolder) {
        EXPECT_TRUE(QFileInfo(home.settingsFile()).isDir());
    } else {
        QFile::setPermissions(home.settingsFile(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(readAll(home.settingsFile()), stored);
    }
    EXPECT_EQ(home.runEntry(), std::nullopt);
}

TEST_F(IniStore, UnwritableFolderStartsLikeAFirstStartAndSavesNothing) {
    // The settings folder cannot be created: a file has its name.
    ASSERT_TRUE(writeAll(home.settingsDir(), "not a folder"));

    SettingsStore store(home.registry(), home.runAtStartup(), "/opt/qz/qzscheduler");
    const StoredSettings stored = store.load();
    EXPECT_TRUE(stored.complete);
    EXPECT_FALSE(stored.stayOnTop);
    EXPECT_EQ(stored.language, 0);
    SettingsRecord record;
    record.stayOnTop = true;
    EXPECT_FALSE(store.save(record));
    EXPECT_EQ(readAll(home.settingsDir()), "not a folder");
}

TEST(UserSettings, CurrentUsersStoreUsesTheConfigFolderAndThisProgramsPath) {
    LinuxHarness home;
    auto store = createUserSettingsStore();
    EXPECT_EQ(store->executablePath(), QCoreApplication::applicationFilePath().toStdString());

    SettingsRecord record;
    record.runAtStartup = true;
    EXPECT_TRUE(store->save(record));
    store->RegisterRunAtStartup();
    EXPECT_EQ(home.storedText("swBaslangic"), "1");
    EXPECT_EQ(home.runEntry(), store->executablePath());
    EXPECT_EQ(IniRegistry::userFileName(), home.settingsFile());
}

} // namespace
} // namespace qz::test
