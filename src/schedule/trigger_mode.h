#pragma once

#include <array>

namespace qz {

// When a task is due; each mode has its own input field(s) in the window.
enum class TriggerMode {
    FromNow,       // radioSuandanitibaren: a duration counted from arming
    SpecifiedTime, // radioBelirtilenSaat: a calendar date and a time of day
    IdleTime,      // radioBostaKalma: a duration without keyboard or mouse input
    Everyday,      // radiohergun: a time of day, every day
};

inline constexpr std::array<TriggerMode, 4> kAllTriggerModes{
    TriggerMode::FromNow,
    TriggerMode::SpecifiedTime,
    TriggerMode::IdleTime,
    TriggerMode::Everyday,
};

} // namespace qz
