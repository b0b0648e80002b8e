// The countdown with the real one-second timer: busy cores, a stopped process and a missed
// deadline. The action must come at the first tick at or after the due time, exactly once,
// and not at all when the tick finds the due time more than a minute behind.
#include "window_harness.h"

#include "support/recording_power_backend.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <ctime>
#include <thread>
#include <vector>

namespace qz::test {
namespace {

// Scheduling slack on top of the one-second tick for a loaded (or sanitised) machine.
constexpr qint64 kSlackMSecs = 150;

void sleepMSecs(long msecs) {
    timespec t{msecs / 1000, (msecs % 1000) * 1'000'000L};
    while (nanosleep(&t, &t) != 0) {
    }
}

// Children that keep every core busy; killed when this goes out of scope, and by the kernel
// if the test dies first.
class BusyCores {
public:
    explicit BusyCores(unsigned count) {
        for (unsigned i = 0; i < count; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                alarm(30); // never outlives a hung test
                volatile unsigned long spin = 0;
                for (;;)
                    spin = spin + 1;
            }
            if (pid > 0)
                m_pids.push_back(pid);
        }
    }
    ~BusyCores() {
        for (pid_t pid : m_pids)
            kill(pid, SIGKILL);
        for (pid_t pid : m_pids)
            waitpid(pid, nullptr, 0);
    }
    std::size_t count() const { return m_pids.size(); }

private:
    std::vector<pid_t> m_pids;
};

// A forked child that stops this process after `after` ms, moves the shared clock offset by
// `jumpMSecs` while it is stopped, and continues it `stopFor` ms later.
class Stopper {
public:
    Stopper(long after, long stopFor, std::atomic<qint64>* offset, qint64 jumpMSecs) {
        const pid_t parent = getpid();
        m_pid = fork();
        if (m_pid == 0) {
            sleepMSecs(after);
            kill(parent, SIGSTOP);
            sleepMSecs(stopFor);
            offset->fetch_add(jumpMSecs);
            kill(parent, SIGCONT);
            _exit(0);
        }
    }
    ~Stopper() {
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }
    bool started() const { return m_pid > 0; }

private:
    pid_t m_pid = -1;
};

// Records when the action was carried out, on the window's own clock.
class TimedPowerBackend : public RecordingPowerBackend {
public:
    explicit TimedPowerBackend(const Clock& clock) : m_clock(clock) {}
    void carryOut(PowerAction action, bool askUser, PowerDone done) override {
        actionTimes.push_back(m_clock.now());
        RecordingPowerBackend::carryOut(action, askUser, std::move(done));
    }
    std::vector<QDateTime> actionTimes;

private:
    const Clock& m_clock;
};

// The calls from the privilege step on: the questions asked before (at Start, and which
// actions the system can do once the window is up) change nothing.
std::vector<std::string> acting(const std::vector<std::string>& calls) {
    const auto first = std::find(calls.begin(), calls.end(),
                                 std::string("setTokenPrivilege SeShutdownPrivilege true"));
    return {first, calls.end()};
}

struct TimingCase {
    const char* name;
    bool busyCores;
    long stopAfterMSecs; // < 0: never stopped
    long stopForMSecs;
    qint64 clockJumpMSecs; // applied while stopped
    qint64 secondsToDue;   // from arming to the minute the task is armed at
    bool expectAction;
};

void PrintTo(const TimingCase& c, std::ostream* os) {
    *os << c.name;
}

class FaultsCountdownTiming : public ::testing::TestWithParam<TimingCase> {
protected:
    void SetUp() override {
        void* mem = mmap(nullptr, sizeof(std::atomic<qint64>), PROT_READ | PROT_WRITE,
                         MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(mem, MAP_FAILED);
        m_offset = new (mem) std::atomic<qint64>(0);
    }
    void TearDown() override {
        m_parts.window.reset();
        munmap(m_offset, sizeof(std::atomic<qint64>));
    }

    // Moves the clock so that the next whole minute is `seconds` ahead; returns that minute.
    QDateTime placeMinuteAhead(qint64 seconds) {
        const QDateTime real = QDateTime::currentDateTime();
        QDateTime minute(real.date(), QTime(real.time().hour(), real.time().minute()));
        minute = minute.addSecs(60);
        m_offset->store(real.msecsTo(minute) - seconds * 1000);
        return minute;
    }

    std::atomic<qint64>* m_offset = nullptr;
    WindowParts m_parts;
};

TEST_P(FaultsCountdownTiming, ActsAtTheFirstTickAfterTheDueTimeOnce) {
    const TimingCase& c = GetParam();
    if (qEnvironmentVariableIsSet("QZ_SKIP_TIMING"))
        GTEST_SKIP() << "QZ_SKIP_TIMING is set";

    auto clock = std::make_unique<OffsetClock>(m_offset);
    auto power = std::make_unique<TimedPowerBackend>(*clock);
    TimedPowerBackend* backend = power.get();
    const Clock& now = *clock;
    startWindow(m_parts, std::move(clock), std::move(power));
    TAnaform& w = *m_parts.window;

    std::vector<QDateTime> ticks;
    QObject::connect(taskTimer(w), &QTimer::timeout, [&] { ticks.push_back(now.now()); });

    const QDateTime due = placeMinuteAhead(c.secondsToDue);
    ASSERT_TRUE(armAt(w, due)) << "not armed at " << due.toString().toStdString();
    ASSERT_EQ(w.task().countdown().endTime(), due);
    ASSERT_TRUE(m_parts.prompts->errors.empty());

    std::unique_ptr<BusyCores> busy;
    if (c.busyCores) {
        busy = std::make_unique<BusyCores>(std::max(2u, std::thread::hardware_concurrency()));
        ASSERT_GE(busy->count(), 2u);
    }
    std::unique_ptr<Stopper> stopper;
    if (c.stopAfterMSecs >= 0) {
        stopper =
            std::make_unique<Stopper>(c.stopAfterMSecs, c.stopForMSecs, m_offset, c.clockJumpMSecs);
        ASSERT_TRUE(stopper->started());
    }

    // Until the task is no longer armed (carried out or skipped), then a little longer to see
    // that nothing follows.
    const int budget = int(c.secondsToDue * 1000 + c.stopForMSecs + 4000);
    const bool ended = QTest::qWaitFor([&] { return !w.task().isArmed(); }, budget);
    busy.reset();
    QTest::qWait(1500);
    stopper.reset();

    EXPECT_TRUE(ended) << "still armed after " << budget << " ms";
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_FALSE(w.task().isTicking());
    if (!c.expectAction) {
        EXPECT_EQ(acting(backend->calls), std::vector<std::string>{});
        // The user is told what did not happen, and when it was due.
        const QString expected =
            QStringLiteral("Shutdown due at %1 was not carried out")
                .arg(QLocale(QLocale::English).toString(due, QLocale::ShortFormat));
        ASSERT_EQ(m_parts.reminders.size(), 1u);
        EXPECT_TRUE(m_parts.reminders[0].startsWith(expected))
            << m_parts.reminders[0].toStdString();
        return;
    }
    // The window's question of what the system can do, a second after it shows, may come
    // after the action when the process was stopped across both; it changes nothing.
    const std::vector<std::string> calls = acting(backend->calls);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 3),
              (std::vector<std::string>{"setTokenPrivilege SeShutdownPrivilege true", "canPowerOff",
                                        "shutdown"}));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), std::string("shutdown")), 1);
    ASSERT_EQ(backend->actionTimes.size(), 1u);
    const QDateTime acted = backend->actionTimes.front();
    const auto firstDueTick =
        std::find_if(ticks.begin(), ticks.end(), [&](const QDateTime& t) { return t >= due; });
    ASSERT_NE(firstDueTick, ticks.end());
    // The tick slot runs after the window's, so the action lies just before its record.
    EXPECT_LE(acted, *firstDueTick);
    EXPECT_LT(acted.msecsTo(*firstDueTick), 100) << "acted at a later tick";
    const qint64 late = due.msecsTo(acted);
    RecordProperty("late_msecs", int(late));
    EXPECT_GE(late, 0);
    EXPECT_LE(late, 1000 + kSlackMSecs) << "acted " << late << " ms after the due time";
}

INSTANTIATE_TEST_SUITE_P(
    RealTimer, FaultsCountdownTiming,
    ::testing::Values(
        TimingCase{"BusyCores", true, -1, 0, 0, 3, true},
        // Stopped for two of the three seconds: the lost ticks do not delay the action.
        TimingCase{"StoppedBeforeDue", false, 500, 2000, 0, 3, true},
        // Stopped across the due time: the first tick after the continue acts.
        TimingCase{"StoppedAcrossDue", true, 500, 2000, 0, 2, true},
        // Stopped while the clock moves on 70 s: the deadline was missed, nothing happens.
        TimingCase{"MissedByMoreThanAMinute", false, 500, 1000, 70'000, 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qz::test
