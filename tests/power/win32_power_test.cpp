#include "power/win32_backend.h"

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

Win32PowerApi recordingApi() {
    return Win32PowerApi{
        [](unsigned flags, unsigned long reason) -> int {
            g_calls.push_back("ExitWindowsEx " + std::to_string(flags) + " " +
                              std::to_string(reason));
            return 1;
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
            return true;
        },
        []() -> bool {
            g_calls.push_back("LockWorkStation");
            return true;
        },
    };
}

struct Case {
    const char* name;
    void (*run)(PowerBackend&);
    std::vector<std::string> expected;
};

class Win32ActionTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { g_calls.clear(); }
};

TEST_P(Win32ActionTest, CallsTheSystemWithTheExactFlags) {
    Win32PowerBackend backend(recordingApi());
    GetParam().run(backend);
    EXPECT_EQ(g_calls, GetParam().expected);
}

// Shutdown is EWX_SHUTDOWN (not POWEROFF); all three are forced; the reason is 0.
INSTANTIATE_TEST_SUITE_P(
    EveryOperation, Win32ActionTest,
    ::testing::Values(
        Case{"shutdown", [](PowerBackend& b) { b.shutdown(); }, {"ExitWindowsEx 5 0"}},
        Case{"restart", [](PowerBackend& b) { b.restart(); }, {"ExitWindowsEx 6 0"}},
        Case{"signOut", [](PowerBackend& b) { b.signOut(); }, {"ExitWindowsEx 4 0"}},
        Case{"suspend", [](PowerBackend& b) { b.suspend(); }, {"SetSuspendState 000"}},
        Case{"hibernate", [](PowerBackend& b) { b.hibernate(); }, {"SetSuspendState 100"}},
        Case{"lock", [](PowerBackend& b) { b.lock(); }, {"LockWorkStation"}},
        Case{"queries",
             [](PowerBackend& b) {
                 g_suspendAllowed = false;
                 g_hibernateAllowed = true;
                 EXPECT_FALSE(b.canSuspend());
                 EXPECT_TRUE(b.canHibernate());
             },
             {"IsPwrSuspendAllowed", "IsPwrHibernateAllowed"}}),
    [](const auto& info) { return std::string(info.param.name); });

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
    const bool suspend = backend.canSuspend();
    const bool hibernate = backend.canHibernate();
    EXPECT_EQ(suspend, IsPwrSuspendAllowed() != FALSE);
    EXPECT_EQ(hibernate, IsPwrHibernateAllowed() != FALSE);
}

TEST(Win32IdleTime, InputResetsIt) {
    auto idle = createWin32IdleTime();
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    if (SendInput(1, &input, sizeof(input)) != 1)
        GTEST_SKIP() << "no input injection here";
    EXPECT_EQ(idle->idleSeconds(), 0u);
}

} // namespace
