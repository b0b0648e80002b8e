#pragma once

#include "schedule/power_action_names.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace qz {

// Raised when the shutdown privilege cannot be enabled; what() is the system's message text.
class PowerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the system answers before an action is asked for.
struct PowerAvailability {
    // False only when the system says it cannot (logind "no"/"na", no session to lock or
    // sign out, Windows refusing suspend): a system that cannot be asked is tried at the end.
    bool possible = true;
    std::string reason; // the system's own words when not possible
    // Possible only once someone gives the system's authorisation (logind "challenge"): an
    // unattended request may be refused.
    bool asksAuthorisation = false;
};

// Called exactly once with the outcome of a request: empty when the system took it, else
// the reason it gave. May be called before the request returns.
using PowerDone = std::function<void(const std::string& error)>;

// The platform's power and logon services. Plain C++ so that the Windows backend builds
// without Qt.
//
// Contract:
// - setTokenPrivilege enables (or disables) a named privilege in the process's access token.
//   Returns true on success and throws PowerError on failure; it never returns false.
//   Platforms without per-process privileges return true without doing anything.
// - availability answers for one action; it blocks for a bounded time at most.
// - carryOut makes the action's one request and reports its outcome through done, without
//   blocking the caller for the system's answer. Shutdown, restart and sign-out are
//   forced: they do not wait for other programs' consent. With askUser, the system may ask
//   the user for its authorisation, and the answer is waited for as long as that takes.
class PowerBackend {
public:
    virtual ~PowerBackend() = default;

    virtual bool setTokenPrivilege(const std::string& name, bool enable) = 0;
    virtual PowerAvailability availability(PowerAction action) = 0;
    virtual void carryOut(PowerAction action, bool askUser, PowerDone done) = 0;
};

// The backend of the running platform: systemd-logind on the system bus, or the Win32 calls.
std::unique_ptr<PowerBackend> createPowerBackend();

} // namespace qz
