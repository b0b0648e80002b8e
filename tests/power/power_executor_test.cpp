#include "power/power_executor.h"
#include "power/recording_power_backend.h"

#include <gtest/gtest.h>

using namespace qz;
using Calls = std::vector<std::string>;

namespace {

const std::string kPrivilege = "setTokenPrivilege SeShutdownPrivilege true";

struct Case {
    PowerAction action;
    bool allowed; // what the suspend / hibernate query answers
    Calls expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << powerActionWord(c.action).toStdString() << (c.allowed ? " allowed" : " not allowed");
}

class PowerExecutorTest : public ::testing::TestWithParam<Case> {};

TEST_P(PowerExecutorTest, PrivilegeFirstThenExactlyTheActionsCall) {
    RecordingPowerBackend backend;
    backend.suspendAllowed = backend.hibernateAllowed = GetParam().allowed;
    carryOutAction(backend, GetParam().action);
    EXPECT_EQ(backend.calls, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryAction, PowerExecutorTest,
    ::testing::Values(Case{PowerAction::Shutdown, true, {kPrivilege, "shutdown"}},
                      Case{PowerAction::Restart, true, {kPrivilege, "restart"}},
                      Case{PowerAction::Signout, true, {kPrivilege, "signOut"}},
                      Case{PowerAction::Lock, true, {kPrivilege, "lock"}},
                      // Stand-by suspends and sleep hibernates, not the other way round.
                      Case{PowerAction::WaitReady, true, {kPrivilege, "canSuspend", "suspend"}},
                      Case{PowerAction::Sleep, true, {kPrivilege, "canHibernate", "hibernate"}},
                      Case{PowerAction::WaitReady, false, {kPrivilege, "canSuspend"}},
                      Case{PowerAction::Sleep, false, {kPrivilege, "canHibernate"}}));

TEST(PowerExecutor, FailedPrivilegeStopsEveryActionAndReachesTheCaller) {
    for (PowerAction action : kAllPowerActions) {
        RecordingPowerBackend backend;
        backend.privilegeFails = true;
        EXPECT_THROW(carryOutAction(backend, action), PowerError);
        EXPECT_EQ(backend.calls, Calls{kPrivilege}) << powerActionWord(action).toStdString();
    }
}

} // namespace
