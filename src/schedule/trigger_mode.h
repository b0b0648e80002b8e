#pragma once

#include "schedule/row_table.h"

#include <array>
#include <cstddef>
#include <string_view>

// The four triggers and everything that names them, in one table beside the actions' one.
namespace qz {

// When a task is due; each trigger has its own input field(s) in the window.
enum class TriggerMode {
    FromNow,       // a duration counted from arming
    SpecifiedTime, // a calendar date and a time of day
    IdleTime,      // a duration without keyboard or mouse input
    Everyday,      // a time of day, every day
};

struct TriggerNames {
    TriggerMode mode;
    std::string_view option; // the command line's and the channel's word
    std::string_view radio;  // the window's radio button
};

// Indexed by the trigger's value, in the order the radios stand from top to bottom.
inline constexpr std::array<TriggerNames, 4> kTriggerNames{{
    {TriggerMode::FromNow, "in", "radioSuandanitibaren"},
    {TriggerMode::SpecifiedTime, "at", "radioBelirtilenSaat"},
    {TriggerMode::IdleTime, "idle", "radioBostaKalma"},
    {TriggerMode::Everyday, "everyday", "radiohergun"},
}};

static_assert(rowsStandAtTheirValue<&TriggerNames::mode>(kTriggerNames),
              "each row stands at its trigger's value");

constexpr const TriggerNames& namesOf(TriggerMode mode) {
    return kTriggerNames[static_cast<std::size_t>(mode)];
}

inline constexpr auto kAllTriggerModes = valuesOf<&TriggerNames::mode>(kTriggerNames);

} // namespace qz
