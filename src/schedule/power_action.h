#pragma once

#include <QString>

#include <array>
#include <optional>

namespace qz {

// What the computer is to do when a task is due. The order is the one in which the
// description composer tests the action buttons.
enum class PowerAction {
    Shutdown,  // btnshutdown, forced shutdown
    Restart,   // btnrestart, forced restart
    Lock,      // btnLock, lock the session
    WaitReady, // btnwaitready, suspend
    Sleep,     // btnSleep, hibernate
    Signout,   // btnSignout, forced sign-out
};

inline constexpr std::array<PowerAction, 6> kAllPowerActions{
    PowerAction::Shutdown,  PowerAction::Restart, PowerAction::Lock,
    PowerAction::WaitReady, PowerAction::Sleep,   PowerAction::Signout,
};

// The word stored for the action: "shutdown", "restart", "lock", "waitready", "sleep",
// "signout".
QString powerActionWord(PowerAction action);

// The action of a stored word. Exact and case-sensitive: "Shutdown" or an unknown word
// gives nothing, so a damaged setting never selects an action by guess.
std::optional<PowerAction> powerActionFromWord(const QString& word);

} // namespace qz
