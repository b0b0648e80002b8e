#pragma once

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
};

// Called exactly once with the outcome of a request: empty when the system took it, else
// the reason it gave. May be called before the request returns.
using PowerDone = std::function<void(const std::string& error)>;

// The platform's power and logon services, one operation each. Plain C++ so that the
// Windows backend builds without Qt.
//
// Contract:
// - setTokenPrivilege enables (or disables) a named privilege in the process's access token.
//   Returns true on success and throws PowerError on failure; it never returns false.
//   Platforms without per-process privileges return true without doing anything.
// - the can* queries answer for one action each (canUseSession for lock and sign-out);
//   they block for a bounded time at most.
// - shutdown/restart/signOut are forced: they do not wait for other programs' consent.
// - every action reports its outcome through done, without blocking the caller for the
//   system's answer.
class PowerBackend {
public:
    virtual ~PowerBackend() = default;

    virtual bool setTokenPrivilege(const std::string& name, bool enable) = 0;
    virtual PowerAvailability canPowerOff() = 0;
    virtual PowerAvailability canReboot() = 0;
    virtual PowerAvailability canSuspend() = 0;
    virtual PowerAvailability canHibernate() = 0;
    virtual PowerAvailability canUseSession() = 0;
    virtual void shutdown(PowerDone done) = 0;
    virtual void restart(PowerDone done) = 0;
    virtual void signOut(PowerDone done) = 0;
    virtual void suspend(PowerDone done) = 0;
    virtual void hibernate(PowerDone done) = 0;
    virtual void lock(PowerDone done) = 0;
};

// The backend of the running platform: systemd-logind on the system bus, or the Win32 calls.
std::unique_ptr<PowerBackend> createPowerBackend();

} // namespace qz
