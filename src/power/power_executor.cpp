#include "power/power_executor.h"

namespace qz {

PowerAvailability actionAvailability(PowerBackend& backend, PowerAction action) {
    switch (action) {
    case PowerAction::Shutdown:
        return backend.canPowerOff();
    case PowerAction::Restart:
        return backend.canReboot();
    case PowerAction::Suspend:
        return backend.canSuspend();
    case PowerAction::Hibernate:
        return backend.canHibernate();
    case PowerAction::Lock:
    case PowerAction::Signout:
        break;
    }
    return backend.canUseSession();
}

void carryOutAction(PowerBackend& backend, PowerAction action, PowerDone done) {
    // Enabled for every action; an error here leaves the action undone for the next try.
    backend.setTokenPrivilege(kShutdownPrivilege, true);
    const PowerAvailability availability = actionAvailability(backend, action);
    if (!availability.possible) {
        done(availability.reason);
        return;
    }
    switch (action) {
    case PowerAction::Shutdown:
        backend.shutdown(std::move(done));
        break;
    case PowerAction::Restart:
        backend.restart(std::move(done));
        break;
    case PowerAction::Signout:
        backend.signOut(std::move(done));
        break;
    case PowerAction::Suspend:
        backend.suspend(std::move(done));
        break;
    case PowerAction::Hibernate:
        backend.hibernate(std::move(done));
        break;
    case PowerAction::Lock:
        backend.lock(std::move(done));
        break;
    }
}

} // namespace qz
