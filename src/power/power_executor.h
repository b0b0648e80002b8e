#pragma once

#include "power/power_backend.h"
#include "schedule/power_action.h"

namespace qz {

inline constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";

// Carries out the action of the down button (stand-by, WaitReady, suspends to memory;
// Sleep hibernates): first enables the shutdown privilege (for every action, lock
// included), then makes the one call of the action. Stand-by and sleep do nothing when
// the system cannot suspend / hibernate. A PowerError from the privilege step propagates
// and no action is attempted, so the caller can retry at its next tick.
void carryOutAction(PowerBackend& backend, PowerAction action);

} // namespace qz
