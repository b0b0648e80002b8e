#pragma once

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

inline constexpr std::string_view kSwitchOn = "1";
inline constexpr std::string_view kSwitchOff = "0";

} // namespace qz::settings_keys
