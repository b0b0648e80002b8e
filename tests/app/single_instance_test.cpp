#include "app/process/single_instance.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <future>

namespace qz {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString name() const { return dir.filePath(QStringLiteral("qz.socket")); }

    // A later start asks from its own thread while this one's event loop answers.
    std::optional<QByteArray> ask(const SingleInstance& later, const QByteArray& request,
                                  int timeoutMs = 5000) {
        auto answer =
            std::async(std::launch::async, [&] { return later.send(request, timeoutMs); });
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            timeoutMs + 2000));
        return answer.get();
    }
};

TEST_F(SingleInstanceTest, TheFirstClaimsAndALaterStartIsAnsweredByIt) {
    SingleInstance first(name());
    ASSERT_TRUE(first.claim());
    QByteArrayList asked;
    first.setHandler([&](const QByteArray& request) {
        asked << request;
        return QByteArray("ok");
    });

    // Only this user's processes may ask.
    EXPECT_EQ(QFileInfo(name()).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner);

    SingleInstance later(name());
    EXPECT_FALSE(later.claim());
    EXPECT_EQ(ask(later, "show"), QByteArray("ok"));
    EXPECT_EQ(ask(later, "status"), QByteArray("ok"));
    EXPECT_EQ(asked, (QByteArrayList{"show", "status"}));
    // Requests that do not fit one line are never sent.
    EXPECT_EQ(later.send("two\nlines"), std::nullopt);
    EXPECT_EQ(later.send(QByteArray(SingleInstance::kMaxRequest + 1, 'x')), std::nullopt);
}

TEST_F(SingleInstanceTest, TheClaimIsFreeAgainOnceTheRunningCopyHasEnded) {
    {
        SingleInstance first(name());
        ASSERT_TRUE(first.claim());
    }
    EXPECT_FALSE(QFileInfo::exists(name()));
    // A copy that was killed leaves its socket behind; the next one listens there all the same.
    QFile left(name());
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    SingleInstance next(name());
    EXPECT_TRUE(next.claim());
    next.setHandler([](const QByteArray&) { return QByteArray("here"); });
    SingleInstance later(name());
    EXPECT_EQ(ask(later, "show"), QByteArray("here"));
}

TEST_F(SingleInstanceTest, NoRunningCopyGivesNoAnswerAndAFloodIsCutOff) {
    SingleInstance nobody(name());
    EXPECT_EQ(nobody.send("show", 300), std::nullopt);

    SingleInstance first(name());
    ASSERT_TRUE(first.claim());
    int handled = 0;
    first.setHandler([&](const QByteArray&) {
        ++handled;
        return QByteArray("ok");
    });
    // A local client that sends a long line without an end is dropped unanswered.
    QLocalSocket flood;
    flood.connectToServer(name());
    ASSERT_TRUE(flood.waitForConnected(2000));
    flood.write(QByteArray(3 * SingleInstance::kMaxRequest, 'x'));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return flood.state() == QLocalSocket::UnconnectedState; }, 5000));
    EXPECT_EQ(handled, 0);
}

} // namespace
} // namespace qz
