#include "update/worker_protocol.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

TEST(UpdateWorkerLines, AnyServerTextComesThroughWhole) {
    // The texts come from an untrusted server: line ends, blanks, percent signs and other
    // scripts must neither split a line nor change on the way.
    const QString texts[] = {u"2.0.0.5"_s, u"hata"_s,           u"a b\nprogress 9 9\r\ndone"_s,
                             u"%41%"_s,    u"Sürüm 2 — ünlü"_s, QString(2047, u'7'),
                             QString()};
    for (const QString& text : texts) {
        WorkerReport report;
        const QByteArray version = versionLine(text);
        const QByteArray sha = sha256Line(text);
        EXPECT_EQ(version.count('\n'), 1);
        EXPECT_TRUE(version.endsWith('\n'));
        ASSERT_TRUE(applyWorkerLine(report, version));
        ASSERT_TRUE(applyWorkerLine(report, sha));
        EXPECT_EQ(report.version, text);
        EXPECT_EQ(report.sha256, text);
        EXPECT_FALSE(report.done);
        EXPECT_EQ(report.received, -1);
    }
}

TEST(UpdateWorkerLines, ProgressAndDone) {
    WorkerReport report;
    ASSERT_TRUE(applyWorkerLine(report, progressLine(2123, 4246)));
    EXPECT_EQ(report.received, 2123);
    EXPECT_EQ(report.total, 4246);
    ASSERT_TRUE(applyWorkerLine(report, progressLine(5'000'000'000LL, -1)));
    EXPECT_EQ(report.received, 5'000'000'000LL);
    EXPECT_EQ(report.total, -1);
    ASSERT_TRUE(applyWorkerLine(report, doneLine()));
    EXPECT_TRUE(report.done);
    // As read from a worker whose output ends lines the Windows way.
    ASSERT_TRUE(applyWorkerLine(report, "progress 7 9\r\n"));
    EXPECT_EQ(report.total, 9);
    WorkerReport crlf;
    ASSERT_TRUE(applyWorkerLine(crlf, "done\r\n"));
    EXPECT_TRUE(crlf.done);
}

TEST(UpdateWorkerLines, AnythingElseChangesNothing) {
    for (const char* line : {"", "\n", "done now", "doneX", "progress", "progress 5",
                             "progress x 5", "progress 5 x", "progress -1 5", "progress 5 -2",
                             "version", "progress 1 2 3", "Version 2.0.0.5", "warning: x"}) {
        WorkerReport report;
        EXPECT_FALSE(applyWorkerLine(report, line)) << line;
        EXPECT_TRUE(report.version.isNull()) << line;
        EXPECT_FALSE(report.done) << line;
        EXPECT_EQ(report.received, -1) << line;
    }
}

TEST(UpdateWorkerRequest, RoundTripsThroughArguments) {
    WorkerRequest version;
    version.baseUrl = QUrl(u"https://mirror.example/qz dir/"_s);
    version.userAgent = u"QZ URI Client/1.0"_s;
    version.timeout = 1500ms;
    WorkerRequest download = version;
    download.kind = WorkerRequest::Kind::Download;
    download.file = u"/tmp/qzscheduler-abc123/update_qzscheduler"_s;
    download.sha256 = QString(64, u'a');
    WorkerRequest noSha = download;
    noSha.sha256.clear();

    for (const WorkerRequest& request : {version, download, noSha}) {
        const std::optional<WorkerRequest> back = workerRequestFrom(workerArguments(request));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->kind, request.kind);
        EXPECT_EQ(back->baseUrl, request.baseUrl);
        EXPECT_EQ(back->userAgent, request.userAgent);
        EXPECT_EQ(back->timeout, request.timeout);
        EXPECT_EQ(back->file, request.file);
        EXPECT_EQ(back->sha256, request.sha256);
    }
}

TEST(UpdateWorkerRequest, RefusesWhatIsNoRequest) {
    const QStringList refused[] = {
        {},
        {u"version"_s, u"http://127.0.0.1:9"_s, u"agent"_s},
        {u"upload"_s, u"http://127.0.0.1:9"_s, u"agent"_s, u"1000"_s},
        {u"version"_s, u"http://127.0.0.1:9"_s, u"agent"_s, u"soon"_s},
        {u"version"_s, u"http://127.0.0.1:9"_s, u"agent"_s, u"0"_s},
        {u"version"_s, u"http://[::1"_s, u"agent"_s, u"1000"_s},
        {u"version"_s, u"http://127.0.0.1:9"_s, u"agent"_s, u"1000"_s, u"extra"_s},
        {u"download"_s, u"http://127.0.0.1:9"_s, u"agent"_s, u"1000"_s, u"/tmp/x"_s},
        {u"download"_s, u"http://127.0.0.1:9"_s, u"agent"_s, u"1000"_s, QString(), QString()},
    };
    for (const QStringList& arguments : refused)
        EXPECT_FALSE(workerRequestFrom(arguments)) << arguments.join(u' ').toStdString();
}

} // namespace
} // namespace qz
