#pragma once

#include "schedule/power_action_names.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Names of the settings key and its values, in one place.
namespace qz::settings_keys {

// HKCU\Software\QZ Software\QZScheduler, opened level by level.
inline const std::vector<std::string> kSettingsKeyLevels{"Software", "QZ Software", "QZScheduler"};

inline constexpr std::string_view kNotifications = "swBildirim";
inline constexpr std::string_view kStayOnTop = "swUstte";
inline constexpr std::string_view kRunAtStartup = "swBaslangic";
inline constexpr std::string_view kLanguage = "dil";
inline constexpr std::string_view kEverydayFlag = "hergun";
inline constexpr std::string_view kEverydayTime = "saat";
inline constexpr std::string_view kAction = "gorev";

// The stored words of the six actions, in the order the store tests and writes their
// buttons.
inline constexpr std::array<std::string_view, 6> kActionWords{
    namesOf(PowerAction::Shutdown).stored, namesOf(PowerAction::Restart).stored,
    namesOf(PowerAction::Lock).stored,     namesOf(PowerAction::Sleep).stored,
    namesOf(PowerAction::Signout).stored,  namesOf(PowerAction::WaitReady).stored};

inline constexpr std::string_view kSwitchOn = "1";
inline constexpr std::string_view kSwitchOff = "0";

} // namespace qz::settings_keys
