#pragma once

#include "schedule/power_action_names.h"

namespace qz {

// Every action, in the table's order.
inline constexpr auto kAllPowerActions = valuesOf<&PowerActionNames::action>(kPowerActionNames);

} // namespace qz
