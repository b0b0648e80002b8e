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
    bool suspendAllowed = true;
    bool hibernateAllowed = true;

    bool setTokenPrivilege(const std::string& name, bool enable) override {
        calls.push_back("setTokenPrivilege " + name + (enable ? " true" : " false"));
        if (privilegeFails)
            throw PowerError("privilege not held");
        return true;
    }
    void shutdown() override { calls.emplace_back("shutdown"); }
    void restart() override { calls.emplace_back("restart"); }
    void signOut() override { calls.emplace_back("signOut"); }
    bool canSuspend() override {
        calls.emplace_back("canSuspend");
        return suspendAllowed;
    }
    void suspend() override { calls.emplace_back("suspend"); }
    bool canHibernate() override {
        calls.emplace_back("canHibernate");
        return hibernateAllowed;
    }
    void hibernate() override { calls.emplace_back("hibernate"); }
    void lock() override { calls.emplace_back("lock"); }
};

} // namespace qz
