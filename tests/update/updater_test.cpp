#include "update/stale_downloads.h"
#include "update/updater.h"
#include "update/version_check.h"
#include "update/worker_protocol.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>

namespace qz {
namespace {

using namespace std::chrono_literals;
using State = Updater::State;

constexpr auto kTimeout = 1500ms;

// Records the window steps in order and answers the questions from a queue (No when empty).
class RecordingWindow : public UpdateWindow {
public:
    QString messageString(const QString& id) const override { return "msg" + id; }
    bool askYesNo(const QString& text) override {
        calls << "ask " + text;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void stopStayingOnTop() override { calls << "notOnTop"; }
    void showUpdateRing() override { calls << "showRing"; }
    void setUpdateRingCaption(const QString& caption) override { calls << "caption " + caption; }
    void setUpdateRingProgress(qint64 received, qint64 total) override {
        progress.append({received, total});
    }
    void hideUpdateRing() override { calls << "hideRing"; }
    void showUpdateFailure(const QString& text) override { calls << "failed " + text; }
    void endProgram() override { calls << "end"; }

    QStringList calls;
    std::deque<bool> answers;
    QList<QPair<qint64, qint64>> progress;
};

// One loopback server per test binary; the first path segment of the base address picks how
// it answers (see update_server.py).
class UpdateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_files = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(s_files->isValid());
        // The new program: a script that records the path it was started by.
        QByteArray script = "#!/bin/sh\necho \"$0\" > '" + markerPath().toUtf8() + "'\n";
        script += "# " + QByteArray(20000, 'x') + "\n";
        QFile payload(payloadPath());
        ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
        payload.write(script);
        payload.close();

        s_server = std::make_unique<QProcess>();
        s_server->start("/usr/bin/python3",
                        {"-u", QStringLiteral(QZ_UPDATE_SERVER_SCRIPT), payloadPath()});
        ASSERT_TRUE(s_server->waitForStarted(5000));
        ASSERT_TRUE(s_server->waitForReadyRead(5000));
        s_port = s_server->readLine().trimmed().toInt();
        ASSERT_GT(s_port, 0);
    }
    static void TearDownTestSuite() {
        if (s_server) {
            s_server->kill();
            s_server->waitForFinished(5000);
        }
        s_server.reset();
        s_files.reset();
    }

    static QString payloadPath() { return s_files->filePath("payload"); }
    static QString markerPath() { return s_files->filePath("started"); }

    void SetUp() override {
        ASSERT_TRUE(s_server && s_port > 0);
        QFile::remove(markerPath());
    }

    // Without `startProgram` the new program is really started, as in use.
    std::unique_ptr<Updater> makeUpdater(const QUrl& base,
                                         std::function<bool(const QString&)> startProgram = {}) {
        UpdateOptions options;
        if (startProgram)
            options.startProgram = std::move(startProgram);
        options.baseUrl = base;
        options.userAgent = UpdateUserAgent();
        options.timeout = kTimeout;
        options.downloadRoot = m_root.path();
        options.ownVersion = QStringLiteral("2.0.0.4");
        options.workerProgram = QStringLiteral(QZ_UPDATE_WORKER);
        options.workerArguments = {QString::fromLatin1(kUpdateWorkerOption)};
        return std::make_unique<Updater>(m_window, options);
    }
    static QUrl base(const char* mode) {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(s_port).arg(mode));
    }
    std::unique_ptr<Updater> makeUpdater(const char* mode) { return makeUpdater(base(mode)); }

    // A port on which nothing listens, so connections are refused.
    static QUrl refusingBase() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port));
    }

    static bool waitUntilSettled(const Updater& updater, int ms = 8000) {
        return QTest::qWaitFor(
            [&] {
                const State s = updater.state();
                return s != State::Checking && s != State::Downloading && s != State::Idle;
            },
            ms);
    }

    QStringList leftInRoot() const {
        return QDir(m_root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    static inline std::unique_ptr<QTemporaryDir> s_files;
    static inline std::unique_ptr<QProcess> s_server;
    static inline int s_port = 0;

    RecordingWindow m_window;
    QTemporaryDir m_root;
};

// A server mode as a test name.
std::string caseName(const char* mode) {
    std::string name = mode;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

struct CheckCase {
    const char* mode;
    const char* serverVersion;
    bool asks;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.mode;
}

class UpdateVersionCheckTest : public UpdateTest,
                               public ::testing::WithParamInterface<CheckCase> {};

TEST_P(UpdateVersionCheckTest, AsksOnlyWhenTheServerNamesAnotherVersion) {
    auto updater = makeUpdater(GetParam().mode);
    updater->start();
    ASSERT_TRUE(waitUntilSettled(*updater));
    EXPECT_EQ(updater->serverVersion(), QString::fromUtf8(GetParam().serverVersion));
    // The answer is No: nothing else happens.
    const QStringList expected = GetParam().asks ? QStringList{"ask msg1"} : QStringList{};
    EXPECT_EQ(m_window.calls, expected);
    EXPECT_EQ(updater->state(), State::UpToDate);
    EXPECT_TRUE(leftInRoot().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Update, UpdateVersionCheckTest,
    ::testing::Values(CheckCase{"equal", "2.0.0.4", false}, CheckCase{"older", "2.0.0.3", true},
                      CheckCase{"newer", "2.0.0.10", true}, CheckCase{"zeros", "2.00.0.4", true},
                      CheckCase{"agent", "QZ URI Client/1.0", true},
                      CheckCase{"nosection", "hata", false}, CheckCase{"nokey", "hata", false},
                      CheckCase{"empty", "hata", false}, CheckCase{"notfound", "hata", false},
                      CheckCase{"error500", "hata", false}, CheckCase{"cut", "hata", false},
                      CheckCase{"trickle", "hata", false},
                      // A version file cut off could lose its SHA-256 line unnoticed, and
                      // neither a closed connection nor chunks tell a cut one from a whole one.
                      CheckCase{"nolength-whole", "hata", false},
                      CheckCase{"chunked", "hata", false}, CheckCase{"chunked-cut", "hata", false}),
    [](const auto& info) { return caseName(info.param.mode); });

TEST_F(UpdateTest, RefusedConnectionIsSilent) {
    auto updater = makeUpdater(refusingBase());
    updater->start();
    ASSERT_TRUE(waitUntilSettled(*updater));
    EXPECT_EQ(updater->serverVersion(), u"hata");
    EXPECT_TRUE(m_window.calls.isEmpty());
}

TEST_F(UpdateTest, SilentServerNeitherHoldsTheCallerNorOutlastsTheTimeout) {
    auto updater = makeUpdater("hang");
    QElapsedTimer clock;
    clock.start();
    updater->start();
    const auto startMs = clock.elapsed();
    RecordProperty("startMs", static_cast<int>(startMs));
    EXPECT_LT(startMs, 500) << "start() must not wait for the server";
    EXPECT_EQ(updater->state(), State::Checking);

    ASSERT_TRUE(waitUntilSettled(*updater));
    const auto took = clock.elapsed();
    EXPECT_GE(took, kTimeout.count() * 9 / 10);
    EXPECT_LT(took, kTimeout.count() + 3000);
    EXPECT_EQ(updater->serverVersion(), u"hata");
    EXPECT_TRUE(m_window.calls.isEmpty());
}

TEST_F(UpdateTest, YesTwiceStartsTheNewProgramByFullPathAndEnds) {
    m_window.answers = {true, true};
    auto updater = makeUpdater("ok");
    updater->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return updater->state() == State::Installing; }, 8000))
        << m_window.calls.join(", ").toStdString();

    const QStringList expected{"ask msg1",     "notOnTop", "showRing", "caption msg4",
                               "caption msg5", "ask msg6", "end"};
    EXPECT_EQ(m_window.calls, expected);

    const QString file = updater->downloadedFile();
    const QFileInfo info(file);
    EXPECT_TRUE(info.isAbsolute());
    EXPECT_EQ(info.fileName(), u"update_qzscheduler");
    EXPECT_TRUE(info.isExecutable());
    EXPECT_TRUE(file.startsWith(m_root.path() + "/"));
    QFile downloaded(file), payload(payloadPath());
    ASSERT_TRUE(downloaded.open(QIODevice::ReadOnly) && payload.open(QIODevice::ReadOnly));
    EXPECT_EQ(downloaded.readAll(), payload.readAll());
    // Only the finished file: no temporary left beside it.
    EXPECT_EQ(info.dir().entryList(QDir::Files | QDir::Hidden), QStringList{"update_qzscheduler"});

    for (const auto& [received, total] : m_window.progress)
        EXPECT_LE(received, payload.size());

    ASSERT_TRUE(QTest::qWaitFor([] { return QFileInfo(markerPath()).size() > 0; }, 5000));
    QFile marker(markerPath());
    ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(marker.readAll().trimmed()), file);
}

TEST_F(UpdateTest, NoAtTheInstallQuestionHidesTheRingAndRemovesTheDownload) {
    m_window.answers = {true, false};
    QStringList started;
    auto updater = makeUpdater(base("ok"), [&](const QString& path) {
        started << path;
        return true;
    });
    updater->start();
    ASSERT_TRUE(waitUntilSettled(*updater));
    EXPECT_EQ(updater->state(), State::Declined);
    ASSERT_FALSE(m_window.calls.isEmpty());
    EXPECT_EQ(m_window.calls.last(), u"hideRing");
    EXPECT_FALSE(m_window.calls.contains("end"));
    EXPECT_TRUE(updater->downloadedFile().isEmpty());
    EXPECT_TRUE(leftInRoot().isEmpty()) << leftInRoot().join(", ").toStdString();
    // The ring followed the program's bytes up to the whole file.
    ASSERT_FALSE(m_window.progress.isEmpty());
    const QFileInfo payload(payloadPath());
    EXPECT_EQ(m_window.progress.last(), qMakePair(payload.size(), payload.size()));
    EXPECT_TRUE(started.isEmpty()) << started.join(", ").toStdString();
}

TEST_F(UpdateTest, CheckRemovesThisUsersStaleDownloadsOnly) {
    const QDir root(m_root.path());
    for (const char* name : {"qzscheduler-abc123", "qzscheduler-old456", "qzscheduler-new789",
                             "qzscheduler-toolongname", "other-abc123"})
        ASSERT_TRUE(root.mkpath(QString::fromLatin1(name) + "/sub"));
    QFile leftover(root.filePath("qzscheduler-abc123/update_qzscheduler"));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    for (const char* name :
         {"qzscheduler-abc123", "qzscheduler-old456", "qzscheduler-toolongname", "other-abc123"}) {
        ASSERT_EQ(QProcess::execute("/usr/bin/touch", {"-d", "2 hours ago",
                                                       root.filePath(QString::fromLatin1(name))}),
                  0);
    }

    // The folder of the running program stays even when it looks stale.
    EXPECT_EQ(removeStaleDownloads(m_root.path(), root.filePath("qzscheduler-old456"),
                                   QDateTime::currentDateTime().addSecs(-60 * 60)),
              1);
    QStringList expected{"other-abc123", "qzscheduler-new789", "qzscheduler-old456",
                         "qzscheduler-toolongname"};
    EXPECT_EQ(leftInRoot(), expected);

    // The check does it at its start; a folder changed in the last hour may be a download
    // another copy of the program is making.
    auto updater = makeUpdater("equal");
    updater->start();
    ASSERT_TRUE(waitUntilSettled(*updater));
    expected.removeOne("qzscheduler-old456");
    EXPECT_EQ(leftInRoot(), expected);
}

struct DownloadFailure {
    const char* name;
    const char* mode; // nullptr: nothing listens
};

void PrintTo(const DownloadFailure& c, std::ostream* os) {
    *os << c.name;
}

class UpdateFailedDownloadTest : public UpdateTest,
                                 public ::testing::WithParamInterface<DownloadFailure> {};

TEST_P(UpdateFailedDownloadTest, SaysSoAndLeavesNoFileAndNoQuestion) {
    auto updater = GetParam().mode ? makeUpdater(GetParam().mode) : makeUpdater(refusingBase());
    updater->StartUpdate();
    ASSERT_TRUE(waitUntilSettled(*updater));
    EXPECT_EQ(updater->state(), State::Failed);
    const QStringList expected{"notOnTop", "showRing", "caption msg4", "hideRing", "failed msg22"};
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window.calls.size() >= expected.size(); }, 2000));
    EXPECT_EQ(m_window.calls, expected);
    EXPECT_TRUE(updater->downloadedFile().isEmpty());
    EXPECT_TRUE(leftInRoot().isEmpty()) << leftInRoot().join(", ").toStdString();
    // The ring never showed a share of a body that was not kept (an error page) or a whole
    // file that never came.
    for (const auto& [received, total] : m_window.progress) {
        if (total >= 0) {
            EXPECT_LT(received, total) << received << " of " << total;
        }
    }
    QTest::qWait(50); // nothing queued may still ask
    EXPECT_EQ(m_window.calls, expected);
}

INSTANTIATE_TEST_SUITE_P(Update, UpdateFailedDownloadTest,
                         ::testing::Values(DownloadFailure{"NotFound", "notfound"},
                                           DownloadFailure{"ServerError", "error500"},
                                           DownloadFailure{"CutOff", "cut"},
                                           DownloadFailure{"NoLengthCutOff", "nolength-cut"},
                                           // Whole or not, nothing tells.
                                           DownloadFailure{"NoLengthWhole", "nolength-whole"},
                                           DownloadFailure{"ChunkedNoLastChunk", "chunked-cut"},
                                           // Whole, but without a SHA-256 nothing proves it.
                                           DownloadFailure{"ChunkedWithoutSha256", "chunked"},
                                           DownloadFailure{"Stalled", "stall"},
                                           DownloadFailure{"Refused", nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeptCase {
    const char* mode;
    bool kept;
};

void PrintTo(const KeptCase& c, std::ostream* os) {
    *os << c.mode;
}

class UpdateWholeDownloadTest : public UpdateTest,
                                public ::testing::WithParamInterface<KeptCase> {};

// Yes at the update question; the install question comes only for a whole body that matches
// the SHA-256 the version file names. The answer to it is No, so nothing is started.
TEST_P(UpdateWholeDownloadTest, InstallQuestionOnlyForAWholeMatchingProgram) {
    m_window.answers = {true, false};
    auto updater = makeUpdater(GetParam().mode);
    updater->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window.calls.size() >= 6; }, 8000))
        << m_window.calls.join(", ").toStdString();
    QStringList expected{"ask msg1", "notOnTop", "showRing", "caption msg4"};
    expected << (GetParam().kept ? QStringList{"caption msg5", "ask msg6", "hideRing"}
                                 : QStringList{"hideRing", "failed msg22"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window.calls.size() >= expected.size(); }, 2000));
    EXPECT_EQ(m_window.calls, expected);
    EXPECT_EQ(updater->state(), GetParam().kept ? State::Declined : State::Failed);
    EXPECT_TRUE(leftInRoot().isEmpty()) << leftInRoot().join(", ").toStdString();
    // Every byte arrived in each case; only the checks tell them apart.
    ASSERT_FALSE(m_window.progress.isEmpty());
    EXPECT_EQ(m_window.progress.last().first, QFileInfo(payloadPath()).size());
}

INSTANTIATE_TEST_SUITE_P(Update, UpdateWholeDownloadTest,
                         ::testing::Values(KeptCase{"ok", true}, KeptCase{"sha-chunked", true},
                                           KeptCase{"sha-match", true}, KeptCase{"sha-upper", true},
                                           KeptCase{"sha-mismatch", false},
                                           KeptCase{"sha-short", false}),
                         [](const auto& info) { return caseName(info.param.mode); });

TEST_F(UpdateTest, WithoutItsWorkerNothingIsAskedAndTheDownloadFails) {
    UpdateOptions options;
    options.baseUrl = base("ok");
    options.timeout = kTimeout;
    options.downloadRoot = m_root.path();
    options.ownVersion = QStringLiteral("2.0.0.4");
    options.workerProgram = m_root.filePath("no-such-program");
    Updater updater(m_window, options);
    updater.start();
    ASSERT_TRUE(waitUntilSettled(updater));
    EXPECT_EQ(updater.serverVersion(), u"hata");
    EXPECT_TRUE(m_window.calls.isEmpty());

    Updater download(m_window, options);
    download.StartUpdate();
    ASSERT_TRUE(waitUntilSettled(download));
    EXPECT_EQ(download.state(), State::Failed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window.calls.size() >= 5; }, 2000));
    EXPECT_EQ(m_window.calls.last(), u"failed msg22");
    EXPECT_TRUE(leftInRoot().isEmpty()) << leftInRoot().join(", ").toStdString();
}

// The worker's standard input is its parent's lifeline: when it closes, the worker ends and
// leaves no part of the download behind.
TEST_F(UpdateTest, WorkerEndsWithItsParent) {
    const QString file = m_root.filePath("update_qzscheduler");
    WorkerRequest request;
    request.kind = WorkerRequest::Kind::Download;
    request.baseUrl = base("stall");
    request.timeout = 60s;
    request.file = file;
    QProcess worker;
    worker.start(QStringLiteral(QZ_UPDATE_WORKER),
                 QStringList{QString::fromLatin1(kUpdateWorkerOption)} + workerArguments(request));
    ASSERT_TRUE(worker.waitForStarted(5000));
    WorkerReport report;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            while (worker.canReadLine())
                applyWorkerLine(report, worker.readLine());
            return report.received > 0;
        },
        8000));

    worker.closeWriteChannel();
    ASSERT_TRUE(worker.waitForFinished(5000));
    EXPECT_NE(worker.exitCode(), 0);
    EXPECT_FALSE(report.done);
    EXPECT_TRUE(leftInRoot().isEmpty()) << leftInRoot().join(", ").toStdString();
}

TEST_F(UpdateTest, EndingDuringTheDownloadCancelsItCleanly) {
    auto updater = makeUpdater("stall");
    updater->StartUpdate();
    // The first half of the body has arrived; the rest never comes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window.progress.isEmpty(); }, 8000));
    EXPECT_EQ(updater->state(), State::Downloading);
    const QStringList before = m_window.calls;

    updater.reset();
    EXPECT_TRUE(leftInRoot().isEmpty());
    QTest::qWait(kTimeout.count() + 300); // past the transfer bound: nothing may fire
    EXPECT_EQ(m_window.calls, before);
}

TEST_F(UpdateTest, CancelDuringTheCheckAsksNothing) {
    auto updater = makeUpdater("hang");
    updater->start();
    updater->cancel();
    EXPECT_EQ(updater->state(), State::Cancelled);
    QTest::qWait(kTimeout.count() + 300);
    EXPECT_TRUE(m_window.calls.isEmpty());
    updater->start(); // once per run
    EXPECT_EQ(updater->state(), State::Cancelled);
}

} // namespace
} // namespace qz
