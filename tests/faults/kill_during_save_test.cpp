// A save killed at a random moment leaves the settings file as it was before or after one
// write, never torn: the real INI store in a helper process, killed with SIGKILL again and
// again while it rewrites the file.
#include "ini_saver_layout.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace qz::test {
namespace {

constexpr int kRounds = 60;

// Where the counters stand: every counter before `raised` at pass + 1, the rest at pass.
struct SaveState {
    long pass = 0;
    int raised = 0;
    bool operator<(const SaveState& o) const {
        return pass != o.pass ? pass < o.pass : raised < o.raised;
    }
};

// Reads a copy of the file (QSettings keeps one parse per path in a process) and checks that
// it is whole: it parses, the padding is intact and the counters form one write's state.
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
    const long low = values.back();
    int raised = 0;
    while (raised < int(values.size()) && values[raised] == low + 1)
        ++raised;
    for (int i = raised; i < int(values.size()); ++i)
        if (values[i] != low)
            return ::testing::AssertionFailure() << "counters from different saves";
    state = {low, raised};
    return ::testing::AssertionSuccess();
}

TEST(FaultsKillDuringSave, FileIsAlwaysTheOldOrTheNewOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("QZScheduler.ini"));
    const QString scratch = dir.filePath(QStringLiteral("copy/check.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("copy")));
    ASSERT_EQ(QProcess::execute(QStringLiteral(QZ_INI_SAVER), {QStringLiteral("seed"), file}), 0);

    SaveState last;
    ASSERT_TRUE(readState(file, scratch, last));
    int progressed = 0;
    for (int round = 0; round < kRounds; ++round) {
        QProcess saver;
        saver.start(QStringLiteral(QZ_INI_SAVER), {QStringLiteral("loop"), file});
        ASSERT_TRUE(saver.waitForStarted());
        // Killed once it is saving, at a random point of its writes.
        ASSERT_TRUE(saver.waitForReadyRead(10000)) << "round " << round;
        QTest::qSleep(QRandomGenerator::global()->bounded(10, 250));
        saver.kill();
        ASSERT_TRUE(saver.waitForFinished(10000));
        ASSERT_EQ(saver.exitStatus(), QProcess::CrashExit)
            << "saver ended by itself with " << saver.exitCode();

        SaveState now;
        ASSERT_TRUE(readState(file, scratch, now)) << "round " << round;
        EXPECT_FALSE(now < last) << "round " << round << ": a save went back";
        if (last < now)
            ++progressed;
        last = now;
    }
    // Enough of the kills landed among the writes (a loaded machine slows the saver down).
    RecordProperty("rounds_with_progress", progressed);
    EXPECT_GE(progressed, kRounds / 6);

    // Temporary files an interrupted save leaves behind stay beside the file; they are not
    // read as settings, so they are only counted here.
    const QStringList leftovers =
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    RecordProperty("files_left_beside_the_settings", int(leftovers.size()) - 1);
}

} // namespace
} // namespace qz::test
