#include "app/process/single_instance.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <future>

namespace qz {
namespace {

using Outcome = SingleInstance::Reply::Outcome;

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ChannelPlace place() const {
        return ChannelPlace::at(dir.filePath(QStringLiteral("qz.socket")));
    }

    // A later start asks from its own thread while this one's event loop answers.
    std::future<SingleInstance::Reply> askLater(const QByteArray& request, int timeoutMs = 5000) {
        return std::async(std::launch::async, [place = place(), request, timeoutMs] {
            return SingleInstance(place).send(request, timeoutMs);
        });
    }
    static bool ready(const std::future<SingleInstance::Reply>& reply) {
        return reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
    static SingleInstance::Reply wait(std::future<SingleInstance::Reply>& reply,
                                      int timeoutMs = 7000) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return ready(reply); }, timeoutMs));
        return reply.get();
    }
    QByteArray ask(const QByteArray& request) {
        auto reply = askLater(request);
        const SingleInstance::Reply r = wait(reply);
        return r.outcome == Outcome::Answered ? r.answer : QByteArray("<none>");
    }
};

TEST_F(SingleInstanceTest, TheFirstClaimsAndALaterStartIsAnsweredByIt) {
    SingleInstance first(place());
    ASSERT_TRUE(first.claim());
    QByteArrayList asked;
    first.setHandler([&](const QByteArray& request) {
        asked << request;
        return QByteArray("ok");
    });

    // Only this user's processes may ask.
    EXPECT_EQ(QFileInfo(place().channel).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner);

    SingleInstance later(place());
    EXPECT_FALSE(later.claim());
    EXPECT_TRUE(later.isRunning());
    EXPECT_EQ(ask("show"), QByteArray("ok"));
    EXPECT_EQ(ask("status"), QByteArray("ok"));
    EXPECT_EQ(asked, (QByteArrayList{"show", "status"}));
    // Requests that do not fit one line are never sent.
    EXPECT_EQ(later.send("two\nlines").outcome, Outcome::NotTaken);
    EXPECT_EQ(later.send(QByteArray(SingleInstance::kMaxRequest + 1, 'x')).outcome,
              Outcome::NotTaken);
}

TEST_F(SingleInstanceTest, TheClaimIsFreeAgainOnceTheRunningCopyHasEnded) {
    {
        SingleInstance first(place());
        ASSERT_TRUE(first.claim());
    }
    EXPECT_FALSE(QFileInfo::exists(place().channel));
    // A copy that was killed leaves its socket behind; the next one listens there all the same.
    QFile left(place().channel);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    SingleInstance next(place());
    EXPECT_TRUE(next.claim());
    next.setHandler([](const QByteArray&) { return QByteArray("here"); });
    EXPECT_EQ(ask("show"), QByteArray("here"));
}

TEST_F(SingleInstanceTest, NoRunningCopyGivesNoAnswerAndAFloodIsCutOff) {
    EXPECT_EQ(SingleInstance(place()).send("show", 300).outcome, Outcome::NotTaken);

    SingleInstance first(place());
    ASSERT_TRUE(first.claim());
    int handled = 0;
    first.setHandler([&](const QByteArray&) {
        ++handled;
        return QByteArray("ok");
    });
    // A local client that sends a long line without an end is dropped unanswered.
    QLocalSocket flood;
    flood.connectToServer(place().channel);
    ASSERT_TRUE(flood.waitForConnected(2000));
    flood.write(QByteArray(3 * SingleInstance::kMaxRequest, 'x'));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return flood.state() == QLocalSocket::UnconnectedState; }, 5000));
    EXPECT_EQ(handled, 0);
}

// A request whose answer opens a message box: the box's event loop runs for longer than a
// silent client is kept, and a second request comes meanwhile. The first is answered in
// full, the second only after it, each in turn.
TEST_F(SingleInstanceTest, ARequestAnsweredBehindABoxIsKeptAndTheNextWaitsItsTurn) {
    SingleInstance first(place());
    ASSERT_TRUE(first.claim());
    QStringList events;
    std::future<SingleInstance::Reply> second;
    first.setHandler([&](const QByteArray& request) {
        events << QString::fromUtf8("begin " + request);
        if (request == "arm") {
            second = askLater("status", 10000);
            QEventLoop box;
            QTimer::singleShot(5500, &box, &QEventLoop::quit);
            box.exec();
        }
        events << QString::fromUtf8("end " + request);
        return "answer to " + request;
    });
    auto armed = askLater("arm", 10000);
    const SingleInstance::Reply armReply = wait(armed, 9000);
    EXPECT_EQ(armReply.outcome, Outcome::Answered);
    EXPECT_EQ(armReply.answer, "answer to arm");
    ASSERT_TRUE(second.valid());
    const SingleInstance::Reply statusReply = wait(second);
    EXPECT_EQ(statusReply.answer, "answer to status");
    EXPECT_EQ(events, (QStringList{"begin arm", "end arm", "begin status", "end status"}));
}

// Until the program is ready for requests they wait; one whose sender has stopped waiting
// by then is never carried out.
TEST_F(SingleInstanceTest, RequestsWaitForTheHandlerAndOnesGivenUpOnAreDropped) {
    SingleInstance first(place());
    ASSERT_TRUE(first.claim());
    auto givenUp = askLater("arm given up", 1200);
    auto held = askLater("status", 10000);
    EXPECT_EQ(wait(givenUp, 4000).outcome, Outcome::NotTaken);
    EXPECT_FALSE(ready(held));

    QByteArrayList asked;
    first.setHandler([&](const QByteArray& request) {
        asked << request;
        return QByteArray("answered");
    });
    EXPECT_EQ(wait(held).answer, "answered");
    EXPECT_EQ(asked, QByteArrayList{"status"});
}

} // namespace
} // namespace qz
