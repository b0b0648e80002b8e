#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace qz {

// Raised when the shutdown privilege cannot be enabled; what() is the system's message text.
class PowerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The platform's power and logon services, one operation each. Plain C++ so that the
// Windows backend builds without Qt.
//
// Contract:
// - setTokenPrivilege enables (or disables) a named privilege in the process's access token.
//   Returns true on success and throws PowerError on failure; it never returns false.
//   Platforms without per-process privileges return true without doing anything.
// - shutdown/restart/signOut are forced: they do not wait for other programs' consent.
// - canSuspend/canHibernate answer whether the system can suspend to memory / hibernate;
//   any failure to ask counts as "no".
// - Every action returns when the request has been handed over; a refused or failed request
//   is not reported (the caller disarms its task either way).
class PowerBackend {
public:
    virtual ~PowerBackend() = default;

    virtual bool setTokenPrivilege(const std::string& name, bool enable) = 0;
    virtual void shutdown() = 0;
    virtual void restart() = 0;
    virtual void signOut() = 0;
    virtual bool canSuspend() = 0;
    virtual void suspend() = 0;
    virtual bool canHibernate() = 0;
    virtual void hibernate() = 0;
    virtual void lock() = 0;
};

// The backend of the running platform: systemd-logind on the system bus, or the Win32 calls.
std::unique_ptr<PowerBackend> createPowerBackend();

} // namespace qz
