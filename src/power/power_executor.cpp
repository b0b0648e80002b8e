#include "power/power_executor.h"

namespace qz {

void carryOutAction(PowerBackend& backend, PowerOperation operation) {
    // Enabled for every action; an error here leaves the action undone for the next try.
    backend.setTokenPrivilege(kShutdownPrivilege, true);
    switch (operation) {
    case PowerOperation::Shutdown:
        backend.shutdown();
        break;
    case PowerOperation::Restart:
        backend.restart();
        break;
    case PowerOperation::SignOut:
        backend.signOut();
        break;
    case PowerOperation::StandBy:
        if (backend.canSuspend())
            backend.suspend();
        break;
    case PowerOperation::Sleep:
        if (backend.canHibernate())
            backend.hibernate();
        break;
    case PowerOperation::Lock:
        backend.lock();
        break;
    }
}

} // namespace qz
