// The XDG autostart entry: what a desktop session really starts from it, and its errors.

#include "linux_harness.h"
#include "settings/xdg_run_at_startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

namespace qz::test {
namespace {

QByteArray readAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Autostart : public ::testing::Test {
protected:
    LinuxHarness home;
    XdgRunAtStartup entry;
};

TEST_F(Autostart, EntryNamesTheProgramAndLeavesNoTemporaryFiles) {
    entry.registerEntry("/opt/qz/qzscheduler");
    EXPECT_EQ(entry.entryFileName(), home.entryFile());
    EXPECT_EQ(readAll(home.entryFile()), "[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=ZE Zivuzoziz\n"
                                         "TryExec=/opt/qz/qzscheduler\n"
                                         "Exec=\"/opt/qz/qzscheduler\"\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n");
    EXPECT_EQ(QDir(home.autostartDir()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("ZE Zivuzoziz.desktop")});

    // A % would start a field code; it is doubled (the launcher used below refuses such
    // paths, so only the entry's own rules are checked here).
    entry.registerEntry("/opt/100% sure/qz");
    EXPECT_EQ(home.runEntry(), "/opt/100% sure/qz");
}

// The session's launcher reads Exec and TryExec with the desktop-entry rules; a path that a
// naive writer would break (blanks, quotes, $, backslash) must still start that very file. The
// launcher loads no entry whose TryExec names a missing file, so this also reads TryExec back.
TEST_F(Autostart, SessionLauncherStartsThePathWithoutArguments) {
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        GTEST_SKIP() << "no gio to launch desktop entries";

    const QString marker = home.root() + QStringLiteral("/started");
    const QString folders[] = {
        QStringLiteral("/QZ Apps"),
        QStringLiteral("/it's \"quoted\" $HOME `x` back\\slash"),
    };
    for (const QString& folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        QFile::remove(marker);
        const QString program = home.root() + folder + QStringLiteral("/qz scheduler");
        ASSERT_TRUE(QDir().mkpath(home.root() + folder));
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s|%s' \"$0\" \"$#\" > '%1'\n")
                         .arg(marker)
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        entry.registerEntry(program.toStdString());
        EXPECT_EQ(home.runEntry(), program.toStdString());

        QProcess launch;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        launch.setProcessEnvironment(env);
        launch.start(gio, {QStringLiteral("launch"), home.entryFile()});
        ASSERT_TRUE(launch.waitForFinished(10000));

        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(marker) && waited.elapsed() < 10000)
            QThread::msleep(20);
        QThread::msleep(50);
        EXPECT_EQ(QString::fromUtf8(readAll(marker)), program + QStringLiteral("|0"));
    }
}

TEST_F(Autostart, RegisterRaisesTheUsersMessages) {
    // The autostart folder cannot be created: a file has its name.
    QDir().mkpath(home.configDir());
    QFile blocker(home.autostartDir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        entry.registerEntry("/opt/qz/qzscheduler");
        ADD_FAILURE() << "no error raised";
    } catch (const RunAtStartupError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Failed to create key " + home.autostartDir().toStdString());
    }
    EXPECT_TRUE(entry.unregisterEntry("/opt/qz/qzscheduler")); // there is no entry

    // The entry cannot be written: a folder has its name.
    ASSERT_TRUE(QFile::remove(home.autostartDir()));
    ASSERT_TRUE(QDir().mkpath(home.entryFile()));
    try {
        entry.registerEntry("/opt/qz/qzscheduler");
        ADD_FAILURE() << "no error raised";
    } catch (const RunAtStartupError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'ZE Zivuzoziz'");
    }
    EXPECT_FALSE(entry.unregisterEntry("/opt/qz/qzscheduler")); // a folder is not removed
    EXPECT_TRUE(QFileInfo(home.entryFile()).isDir());
}

TEST_F(Autostart, AnEntryThatAlreadySaysSoIsNotWrittenAgain) {
    entry.registerEntry("/opt/qz/qzscheduler");
    if (!home.lockFolder(home.autostartDir()))
        GTEST_SKIP() << "cannot lock a folder here";
    // The folder takes no new file now: only an entry left as it is can succeed.
    EXPECT_NO_THROW(entry.registerEntry("/opt/qz/qzscheduler"));
    EXPECT_THROW(entry.registerEntry("/opt/moved/qzscheduler"), RunAtStartupError);
}

TEST_F(Autostart, RefusedReplacementKeepsTheOldEntryWhole) {
    entry.registerEntry("/opt/qz/qzscheduler");
    const QByteArray before = readAll(home.entryFile());
    if (!home.lockFolder(home.autostartDir()))
        GTEST_SKIP() << "cannot lock a folder here";
    EXPECT_THROW(entry.registerEntry("/opt/moved/qzscheduler"), RunAtStartupError);
    EXPECT_EQ(readAll(home.entryFile()), before);
    EXPECT_FALSE(entry.unregisterEntry("/opt/qz/qzscheduler"));
}

} // namespace
} // namespace qz::test
