#pragma once

#include "power/power_backend.h"
#include "schedule/power_action.h"

namespace qz {

inline constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";

// Carries out the task's action (stand-by suspends to memory, sleep hibernates): first enables the
// shutdown privilege (for every action, lock included), then asks whether the system can do it,
// then makes the one call of the action, letting the system ask the user for authorisation where it
// said it would. done gets the outcome: the system's refusal, the answer that it cannot, or empty
// when it took the request. A PowerError from the privilege step propagates and no action is
// attempted (done is not called), so the caller can retry at its next tick.
void carryOutAction(PowerBackend& backend, PowerAction action, PowerDone done);

} // namespace qz
