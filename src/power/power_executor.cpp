#include "power/power_executor.h"

namespace qz {

void carryOutAction(PowerBackend& backend, PowerAction action) {
    // Enabled for every action; an error here leaves the action undone for the next try.
    backend.setTokenPrivilege(kShutdownPrivilege, true);
    switch (action) {
    case PowerAction::Shutdown:
        backend.shutdown();
        break;
    case PowerAction::Restart:
        backend.restart();
        break;
    case PowerAction::Signout:
        backend.signOut();
        break;
    case PowerAction::WaitReady:
        if (backend.canSuspend())
            backend.suspend();
        break;
    case PowerAction::Sleep:
        if (backend.canHibernate())
            backend.hibernate();
        break;
    case PowerAction::Lock:
        backend.lock();
        break;
    }
}

} // namespace qz
