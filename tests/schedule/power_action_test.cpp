#include "schedule/power_action_names.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(PowerActionWords, EveryActionRoundTripsThroughItsWord) {
    const struct {
        PowerAction action;
        const char* word;
    } cases[] = {
        {PowerAction::Shutdown, "shutdown"}, {PowerAction::Restart, "restart"},
        {PowerAction::Lock, "lock"},         {PowerAction::Suspend, "waitready"},
        {PowerAction::Hibernate, "sleep"},   {PowerAction::Signout, "signout"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namesOf(c.action).stored, c.word);
        EXPECT_EQ(actionOfStoredWord(c.word), c.action) << c.word;
    }
}

TEST(PowerActionWords, UnknownOrDifferentlyCasedWordSelectsNothing) {
    for (const char* word : {"Shutdown", "RESTART", " lock", "lock ", "standby", "", "hibernate"})
        EXPECT_FALSE(actionOfStoredWord(word).has_value()) << word;
}

} // namespace
} // namespace qz
