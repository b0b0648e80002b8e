#include "power/idle_time.h"
#include "power/win32_backend.h"
#include "schedule/power_action.h"

#include <windows.h>

// Needs the types of <windows.h> first.
#include <powrprof.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qz;

namespace {

// What the recording table was asked. Never the real calls: these would end the session.
std::vector<std::string> g_calls;
bool g_suspendAllowed = true;
bool g_hibernateAllowed = true;
DWORD g_failWith = 0; // each call fails with this error; 0: succeeds

BOOL answer() {
    if (g_failWith == 0)
        return TRUE;
    SetLastError(g_failWith);
    return FALSE;
}

Win32PowerApi recordingApi() {
    return Win32PowerApi{
        [](unsigned flags, unsigned long reason) -> int {
            g_calls.push_back("ExitWindowsEx " + std::to_string(flags) + " " +
                              std::to_string(reason));
            return answer();
        },
        []() -> bool {
            g_calls.push_back("IsPwrSuspendAllowed");
            return g_suspendAllowed;
        },
        []() -> bool {
            g_calls.push_back("IsPwrHibernateAllowed");
            return g_hibernateAllowed;
        },
        [](bool hibernate, bool forceCritical, bool disableWakeEvents) -> bool {
            g_calls.push_back(std::string("SetSuspendState ") + (hibernate ? "1" : "0") +
                              (forceCritical ? "1" : "0") + (disableWakeEvents ? "1" : "0"));
            return answer() != FALSE;
        },
        []() -> bool {
            g_calls.push_back("LockWorkStation");
            return answer() != FALSE;
        },
    };
}

struct Case {
    PowerAction action;
    std::vector<std::string> expected;
};

class Win32ActionTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        g_calls.clear();
        g_failWith = 0;
    }
};

TEST_P(Win32ActionTest, CallsTheSystemWithTheExactFlagsAndReportsItsOutcome) {
    Win32PowerBackend backend(recordingApi());
    std::vector<std::string> outcomes;
    backend.carryOut(GetParam().action, false,
                     [&](const std::string& error) { outcomes.push_back(error); });
    EXPECT_EQ(g_calls, GetParam().expected);
    EXPECT_EQ(outcomes, std::vector<std::string>{""});

    // A refused call reports the system's message for its error code.
    g_failWith = ERROR_ACCESS_DENIED;
    outcomes.clear();
    backend.carryOut(GetParam().action, false,
                     [&](const std::string& error) { outcomes.push_back(error); });
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].empty());
    EXPECT_NE(outcomes[0], "System error 5");
}

// Shutdown is EWX_SHUTDOWN (not POWEROFF); all three are forced; the reason is 0.
INSTANTIATE_TEST_SUITE_P(EveryOperation, Win32ActionTest,
                         ::testing::Values(Case{PowerAction::Shutdown, {"ExitWindowsEx 5 0"}},
                                           Case{PowerAction::Restart, {"ExitWindowsEx 6 0"}},
                                           Case{PowerAction::Signout, {"ExitWindowsEx 4 0"}},
                                           Case{PowerAction::Suspend, {"SetSuspendState 000"}},
                                           Case{PowerAction::Hibernate, {"SetSuspendState 100"}},
                                           Case{PowerAction::Lock, {"LockWorkStation"}}),
                         [](const auto& info) {
                             return std::string(namesOf(info.param.action).stored);
                         });

TEST(Win32Queries, SuspendAndHibernateAskTheSystemTheRestArePossible) {
    g_calls.clear();
    Win32PowerBackend backend(recordingApi());
    g_suspendAllowed = false;
    g_hibernateAllowed = true;
    for (PowerAction action : kAllPowerActions) {
        const PowerAvailability answer = backend.availability(action);
        EXPECT_EQ(answer.possible, action != PowerAction::Suspend) << namesOf(action).stored;
        EXPECT_EQ(answer.reason, action == PowerAction::Suspend ? "IsPwrSuspendAllowed: no" : "");
    }
    EXPECT_EQ(g_calls, (std::vector<std::string>{"IsPwrSuspendAllowed", "IsPwrHibernateAllowed"}));
}

TEST(Win32Privilege, EnablesTheShutdownPrivilege) {
    Win32PowerBackend backend;
    // A stale error code from an earlier call must not count as this step's failure.
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(backend.setTokenPrivilege("SeShutdownPrivilege", true));

    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    LUID luid{};
    ASSERT_TRUE(LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &luid));
    PRIVILEGE_SET set{1, PRIVILEGE_SET_ALL_NECESSARY, {{luid, 0}}};
    BOOL enabled = FALSE;
    ASSERT_TRUE(PrivilegeCheck(token, &set, &enabled));
    CloseHandle(token);
    EXPECT_TRUE(enabled);
}

TEST(Win32Privilege, UnknownPrivilegeRaisesTheSystemsMessage) {
    Win32PowerBackend backend;
    try {
        backend.setTokenPrivilege("SeNoSuchPrivilege", true);
        FAIL() << "no error raised";
    } catch (const PowerError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
    }
}

TEST(Win32Availability, QueriesAnswerWithoutActing) {
    Win32PowerBackend backend;
    // Whatever this system answers, asking must not fail or act.
    const bool suspend = backend.availability(PowerAction::Suspend).possible;
    const bool hibernate = backend.availability(PowerAction::Hibernate).possible;
    EXPECT_EQ(suspend, IsPwrSuspendAllowed() != FALSE);
    EXPECT_EQ(hibernate, IsPwrHibernateAllowed() != FALSE);
}

TEST(Win32IdleTime, InputResetsIt) {
    auto idle = createIdleTime();
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    if (SendInput(1, &input, sizeof(input)) != 1)
        GTEST_SKIP() << "no input injection here";
    EXPECT_EQ(idle->idleSeconds(), 0u);
}

} // namespace
