#pragma once

#include "schedule/power_action_names.h"
#include "schedule/trigger_mode.h"

#include <array>

// The window's rows of the six action buttons and the four trigger radios: the window
// creates, places, names for screen readers and orders its buttons and radios by looping
// over these. Captions are the stored layout's (English); the translation table has both.
// Positions are design pixels at 96 dpi inside panelCenter.
namespace qz::window_rows {

inline constexpr int kActionButtonTop = 8;
inline constexpr int kActionButtonHeight = 42;

struct ActionButtonRow {
    PowerAction action;
    const char* caption;
    int x;
    int width;
};

// Left to right, as the buttons stand: the first is rounded on its left, the last on its
// right.
inline constexpr std::array<ActionButtonRow, kPowerActionNames.size()> kActionButtons{{
    {PowerAction::Shutdown, "Shutdown", 15, 83},
    {PowerAction::Restart, "Restart", 98, 94},
    {PowerAction::Suspend, "Stand By", 192, 94},
    {PowerAction::Hibernate, "Sleep", 286, 75},
    {PowerAction::Signout, "Signout", 361, 96},
    {PowerAction::Lock, "Lock", 457, 66},
}};

inline constexpr int kTriggerRadioLeft = 24;
inline constexpr int kTriggerRadioWidth = 168;
inline constexpr int kTriggerRadioHeight = 35;

struct TriggerRadioRow {
    TriggerMode mode;
    const char* caption;
    int y;
    // The trigger's input fields, by name: enabled only while the radio is chosen, read
    // after it, and named after it for screen readers.
    std::array<const char*, 2> fields;
};

// Top to bottom, as the radios stand.
inline constexpr std::array<TriggerRadioRow, kTriggerNames.size()> kTriggerRadios{{
    {TriggerMode::FromNow, "From Now", 68, {"TimeeditSuandanitibaren", nullptr}},
    {TriggerMode::SpecifiedTime,
     "Specified Time",
     104,
     {"dateEditBelirtilenSure", "timeEditBelirtilenSure"}},
    {TriggerMode::IdleTime, "Idle Time", 140, {"qzTimeEdit3", nullptr}},
    {TriggerMode::Everyday, "Everyday", 175, {"qzTimeEdit1", nullptr}},
}};

} // namespace qz::window_rows
