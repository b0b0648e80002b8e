#pragma once

#include "power/power_backend.h"

namespace qz {

// What the down action button asks for at the end of a countdown. Stand-by suspends to
// memory; sleep hibernates.
enum class PowerOperation { Shutdown, Restart, Lock, StandBy, Sleep, SignOut };

inline constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";

// Carries out one action: first enables the shutdown privilege (for every action, lock
// included), then makes the one call of the action. Stand-by and sleep do nothing when
// the system cannot suspend / hibernate. A PowerError from the privilege step propagates
// and no action is attempted, so the caller can retry at its next tick.
void carryOutAction(PowerBackend& backend, PowerOperation operation);

} // namespace qz
