#pragma once

#include "schedule/row_table.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The six actions and everything that names them, in one table. Free of Qt, so the settings
// store's rules (plain C++) share it.
namespace qz {

// What the computer is to do when a task is due. The order is the one in which the
// description composer tests the action buttons.
enum class PowerAction {
    Shutdown,  // forced shutdown
    Restart,   // forced restart
    Lock,      // lock the session
    Suspend,   // suspend to memory (the stand-by button)
    Hibernate, // hibernate (the sleep button)
    Signout,   // forced sign-out
};

struct PowerActionNames {
    PowerAction action;
    std::string_view stored;      // the word the settings keep
    std::string_view option;      // the command line's word
    std::string_view englishVerb; // in the English sentence: "... will <verb>"
    std::string_view turkishVerb; // the Turkish sentence's ending, UTF-8
    std::string_view button;      // the window's button
    // What the Turkish messages call the action, UTF-8: the button says it as an order
    // ("Kapat"), a sentence needs the noun ("kapatma yapılamadı").
    std::string_view turkishNoun;
};

// Indexed by the action's value.
inline constexpr std::array<PowerActionNames, 6> kPowerActionNames{{
    {PowerAction::Shutdown, "shutdown", "shutdown", "shutdown", "kapatılacaktır.", "btnshutdown",
     "kapatma"},
    {PowerAction::Restart, "restart", "restart", "restart", "yeniden başlatılacaktır.",
     "btnrestart", "yeniden başlatma"},
    {PowerAction::Lock, "lock", "lock", "lock", "kilitlenecektir", "btnLock", "kilitleme"},
    // The command line says what stand-by is; the stored word stays the button's.
    {PowerAction::Suspend, "waitready", "standby", "standby", "hazırda bekletilecektir",
     "btnwaitready", "hazırda bekletme"},
    {PowerAction::Hibernate, "sleep", "sleep", "sleep", "uyku moduna geçecektir.", "btnSleep",
     "uyku moduna geçiş"},
    {PowerAction::Signout, "signout", "signout", "signout", "oturumu kapatacaktır.", "btnSignout",
     "oturum kapatma"},
}};

static_assert(rowsStandAtTheirValue<&PowerActionNames::action>(kPowerActionNames),
              "each row stands at its action's value");

constexpr const PowerActionNames& namesOf(PowerAction action) {
    return kPowerActionNames[static_cast<std::size_t>(action)];
}

// The action whose stored word this is. Exact and case-sensitive: "Shutdown" or an unknown
// word gives nothing, so a damaged setting never selects an action by guess.
constexpr std::optional<PowerAction> actionOfStoredWord(std::string_view word) {
    for (const PowerActionNames& names : kPowerActionNames) {
        if (names.stored == word)
            return names.action;
    }
    return std::nullopt;
}

} // namespace qz
