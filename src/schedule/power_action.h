#pragma once

#include "schedule/power_action_names.h"

#include <QString>

#include <array>
#include <cstddef>
#include <optional>

namespace qz {

// Every action, in the table's order.
inline constexpr auto kAllPowerActions = valuesOf<&PowerActionNames::action>(kPowerActionNames);

// The word stored for the action: "shutdown", "restart", "lock", "waitready", "sleep",
// "signout".
QString powerActionWord(PowerAction action);

// The action of a stored word. Exact and case-sensitive: "Shutdown" or an unknown word
// gives nothing, so a damaged setting never selects an action by guess.
std::optional<PowerAction> powerActionFromWord(const QString& word);

} // namespace qz
