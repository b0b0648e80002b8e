#include "power/power_executor.h"
#include "support/recording_power_backend.h"

#include <gtest/gtest.h>

using namespace qz;
using Calls = std::vector<std::string>;

namespace {

const std::string kPrivilege = "setTokenPrivilege SeShutdownPrivilege true";

struct Case {
    PowerAction action;
    bool possible; // what the action's query answers
    Calls expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << namesOf(c.action).stored << (c.possible ? " possible" : " impossible");
}

class PowerExecutorTest : public ::testing::TestWithParam<Case> {};

TEST_P(PowerExecutorTest, PrivilegeThenTheQueryThenExactlyTheActionsCall) {
    RecordingPowerBackend backend;
    backend.refusal = "refused";
    if (!GetParam().possible) {
        for (const char* query :
             {"canPowerOff", "canReboot", "canSuspend", "canHibernate", "canUseSession"})
            backend.impossible.emplace_back(query, std::string(query) + ": no");
    }
    std::vector<std::string> outcomes;
    carryOutAction(backend, GetParam().action,
                   [&](const std::string& error) { outcomes.push_back(error); });
    EXPECT_EQ(backend.calls, GetParam().expected);
    // Exactly one outcome: the query's answer, or the action's own.
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0], GetParam().possible ? "refused" : GetParam().expected.back() + ": no");
}

INSTANTIATE_TEST_SUITE_P(
    EveryAction, PowerExecutorTest,
    ::testing::Values(Case{PowerAction::Shutdown, true, {kPrivilege, "canPowerOff", "shutdown"}},
                      Case{PowerAction::Restart, true, {kPrivilege, "canReboot", "restart"}},
                      Case{PowerAction::Signout, true, {kPrivilege, "canUseSession", "signOut"}},
                      Case{PowerAction::Lock, true, {kPrivilege, "canUseSession", "lock"}},
                      // Stand-by suspends and sleep hibernates, not the other way round.
                      Case{PowerAction::Suspend, true, {kPrivilege, "canSuspend", "suspend"}},
                      Case{PowerAction::Hibernate, true, {kPrivilege, "canHibernate", "hibernate"}},
                      Case{PowerAction::Shutdown, false, {kPrivilege, "canPowerOff"}},
                      Case{PowerAction::Lock, false, {kPrivilege, "canUseSession"}},
                      Case{PowerAction::Suspend, false, {kPrivilege, "canSuspend"}},
                      Case{PowerAction::Hibernate, false, {kPrivilege, "canHibernate"}}));

TEST(PowerExecutor, TheSystemMayAskOnlyWhereItSaidItWould) {
    RecordingPowerBackend backend;
    backend.asking = {"canHibernate"};
    for (PowerAction action : {PowerAction::Hibernate, PowerAction::Suspend})
        carryOutAction(backend, action, [](const std::string&) {});
    EXPECT_EQ(backend.calls, (Calls{kPrivilege, "canHibernate", "hibernate asking", kPrivilege,
                                    "canSuspend", "suspend"}));
}

TEST(PowerExecutor, FailedPrivilegeStopsEveryActionAndReachesTheCaller) {
    for (PowerAction action : kAllPowerActions) {
        RecordingPowerBackend backend;
        backend.privilegeFails = true;
        bool reported = false;
        EXPECT_THROW(carryOutAction(backend, action, [&](const std::string&) { reported = true; }),
                     PowerError);
        EXPECT_EQ(backend.calls, Calls{kPrivilege}) << namesOf(action).stored;
        EXPECT_FALSE(reported);
    }
}

} // namespace
