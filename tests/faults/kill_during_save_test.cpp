// A save killed at a random moment leaves the settings file as it was before or after that
// save, never torn and never half of a record, and keeps every save the store reported
// done: the real INI store in a helper process, killed with SIGKILL again and again while it
// rewrites the file.
#include "ini_saver_layout.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace qz::test {
namespace {

constexpr int kRounds = 100;

// Where the counters stand: the number of saves since the seed.
struct SaveState {
    long pass = 0;
};

// Reads a copy of the file (QSettings keeps one parse per path in a process) and checks that
// it is whole: it parses, the padding is intact and the counters are one save's record.
::testing::AssertionResult readState(const QString& file, const QString& scratch,
                                     SaveState& state) {
    QFile::remove(scratch);
    if (!QFile::copy(file, scratch))
        return ::testing::AssertionFailure() << "settings file missing";
    QSettings ini(scratch, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return ::testing::AssertionFailure() << "settings file does not parse";
    if (ini.value(QLatin1String(faults::kPadName)).toString().toStdString() != faults::padText())
        return ::testing::AssertionFailure() << "padding damaged";
    std::vector<long> values;
    for (const char* name : faults::kCounterNames) {
        bool ok = false;
        values.push_back(ini.value(QLatin1String(name)).toString().toLong(&ok));
        if (!ok)
            return ::testing::AssertionFailure() << name << " is not a counter";
    }
    for (long value : values)
        if (value != values.front())
            return ::testing::AssertionFailure() << "counters from different saves";
    state = {values.front()};
    return ::testing::AssertionSuccess();
}

TEST(FaultsKillDuringSave, FileIsAlwaysTheOldOrTheNewOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("QZScheduler.ini"));
    const QString scratch = dir.filePath(QStringLiteral("copy/check.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("copy")));
    ASSERT_EQ(QProcess::execute(QStringLiteral(QZ_INI_SAVER), {QStringLiteral("seed"), file}), 0);

    // The store keeps a snapshot of the file in the temporary folder while it is open, which
    // a killed saver leaves behind: the saver's temporary folder is one of this test's.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("tmp")));
    QProcessEnvironment saverEnvironment = QProcessEnvironment::systemEnvironment();
    saverEnvironment.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp")));

    SaveState last;
    ASSERT_TRUE(readState(file, scratch, last));
    auto* random = QRandomGenerator::global();
    int emptyLocks = 0;
    for (int round = 0; round < kRounds; ++round) {
        QProcess saver;
        saver.setProcessEnvironment(saverEnvironment);
        saver.start(QStringLiteral(QZ_INI_SAVER), {QStringLiteral("loop"), file});
        ASSERT_TRUE(saver.waitForStarted());
        // Killed after a few saves it reported done, at a random point of the next one.
        const int reported = random->bounded(0, 4);
        int seen = -1; // the "saving" line comes first
        while (seen < reported) {
            if (!saver.canReadLine()) {
                // Long enough to outlast a lock taken as stale by age, so such a wait shows
                // here as a slow round rather than as a lost write.
                const QFileInfo lock(file + QStringLiteral(".lock"));
                ASSERT_TRUE(saver.waitForReadyRead(40000))
                    << "round " << round << ": saver stopped with " << saver.exitCode() << " "
                    << saver.readAllStandardError().toStdString() << " lock file "
                    << (lock.exists() ? lock.size() : -1) << " bytes";
            }
            while (saver.canReadLine() && seen < reported) {
                saver.readLine();
                ++seen;
            }
        }
        QTest::qSleep(random->bounded(0, 30));
        saver.kill();
        ASSERT_TRUE(saver.waitForFinished(10000));
        ASSERT_EQ(saver.exitStatus(), QProcess::CrashExit)
            << "saver ended by itself with " << saver.exitCode();

        // A kill between creating the save's lock file and writing the owner into it leaves
        // an empty lock; the store drops such a lock once it is a few seconds old, as a
        // restart a moment later would find it. Age it instead of waiting.
        QFile lock(file + QStringLiteral(".lock"));
        if (lock.exists() && lock.size() == 0 && lock.open(QIODevice::ReadWrite)) {
            lock.setFileTime(QDateTime::currentDateTime().addSecs(-5),
                             QFileDevice::FileModificationTime);
            lock.close();
            ++emptyLocks;
        }

        SaveState now;
        ASSERT_TRUE(readState(file, scratch, now)) << "round " << round;
        // Nothing reported done is lost; nothing goes back.
        EXPECT_GE(now.pass, last.pass + reported) << "round " << round;
        last = now;
    }

    RecordProperty("empty_lock_files_left", emptyLocks);

    // Temporary files an interrupted save leaves behind stay beside the file; they are not
    // read as settings, so they are only counted here.
    const QStringList leftovers =
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    RecordProperty("files_left_beside_the_settings", int(leftovers.size()) - 1);
}

} // namespace
} // namespace qz::test
