#pragma once

#include "power/power_backend.h"

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
    std::string refusal;       // the outcome every action reports; empty: taken
    bool holdOutcomes = false; // keep the outcomes in `pending` instead of reporting them
    std::vector<PowerDone> pending;

    bool setTokenPrivilege(const std::string& name, bool enable) override {
        calls.push_back("setTokenPrivilege " + name + (enable ? " true" : " false"));
        if (privilegeFails)
            throw PowerError("privilege not held");
        return true;
    }
    PowerAvailability canPowerOff() override { return query("canPowerOff"); }
    PowerAvailability canReboot() override { return query("canReboot"); }
    PowerAvailability canSuspend() override { return query("canSuspend"); }
    PowerAvailability canHibernate() override { return query("canHibernate"); }
    PowerAvailability canUseSession() override { return query("canUseSession"); }
    void shutdown(PowerDone done) override { act("shutdown", std::move(done)); }
    void restart(PowerDone done) override { act("restart", std::move(done)); }
    void signOut(PowerDone done) override { act("signOut", std::move(done)); }
    void suspend(PowerDone done) override { act("suspend", std::move(done)); }
    void hibernate(PowerDone done) override { act("hibernate", std::move(done)); }
    void lock(PowerDone done) override { act("lock", std::move(done)); }

private:
    PowerAvailability query(const std::string& name) {
        calls.push_back(name);
        for (const auto& [query, reason] : impossible)
            if (query == name)
                return {false, reason};
        return {};
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
