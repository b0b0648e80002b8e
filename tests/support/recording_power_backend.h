#pragma once

#include "power/power_backend.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace qz {

// A backend that only records what it was asked, for tests of the code that ends a
// countdown. Nothing here reaches the system.
class RecordingPowerBackend : public PowerBackend {
public:
    std::vector<std::string> calls;
    bool privilegeFails = false;
    // Answers of the queries, by name ("canSuspend", ...); unlisted ones are possible.
    std::vector<std::pair<std::string, std::string>> impossible; // query, reason
    std::vector<std::string> asking; // queries that answer the system will ask for a password
    std::string refusal;             // the outcome every action reports; empty: taken
    bool holdOutcomes = false;       // keep the outcomes in `pending` instead of reporting them
    std::vector<PowerDone> pending;

    bool setTokenPrivilege(const std::string& name, bool enable) override {
        calls.push_back("setTokenPrivilege " + name + (enable ? " true" : " false"));
        if (privilegeFails)
            throw PowerError("privilege not held");
        return true;
    }
    PowerAvailability availability(PowerAction action) override {
        return query(namesOfCall(action).query);
    }
    // A request that lets the system ask the user is recorded with " asking".
    void carryOut(PowerAction action, bool askUser, PowerDone done) override {
        act(std::string(namesOfCall(action).request) + (askUser ? " asking" : ""), std::move(done));
    }

private:
    // The names the calls are recorded by, by the action's value: the query, then the
    // request.
    struct CallNames {
        PowerAction action;
        const char* query;
        const char* request;
    };
    static const CallNames& namesOfCall(PowerAction action) {
        static constexpr std::array<CallNames, kPowerActionNames.size()> kCalls{{
            {PowerAction::Shutdown, "canPowerOff", "shutdown"},
            {PowerAction::Restart, "canReboot", "restart"},
            {PowerAction::Lock, "canUseSession", "lock"},
            {PowerAction::Suspend, "canSuspend", "suspend"},
            {PowerAction::Hibernate, "canHibernate", "hibernate"},
            {PowerAction::Signout, "canUseSession", "signOut"},
        }};
        static_assert(rowsStandAtTheirValue<&CallNames::action>(kCalls));
        return kCalls[static_cast<std::size_t>(action)];
    }
    PowerAvailability query(const std::string& name) {
        calls.push_back(name);
        for (const auto& [query, reason] : impossible)
            if (query == name)
                return {false, reason};
        return {true, {}, std::ranges::find(asking, name) != asking.end()};
    }
    void act(const std::string& name, PowerDone done) {
        calls.push_back(name);
        if (holdOutcomes)
            pending.push_back(std::move(done));
        else
            done(refusal);
    }
};

} // namespace qz
