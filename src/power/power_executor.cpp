#include "power/power_executor.h"

namespace qz {

void carryOutAction(PowerBackend& backend, PowerAction action, PowerDone done) {
    // Enabled for every action; an error here leaves the action undone for the next try.
    backend.setTokenPrivilege(kShutdownPrivilege, true);
    const PowerAvailability availability = backend.availability(action);
    if (!availability.possible) {
        done(availability.reason);
        return;
    }
    backend.carryOut(action, availability.asksAuthorisation, std::move(done));
}

} // namespace qz
