#pragma once

#include "schedule/power_action_names.h"
#include "schedule/schedule_fields.h"
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
};

// Top to bottom, as the radios stand.
inline constexpr std::array<TriggerRadioRow, kTriggerNames.size()> kTriggerRadios{{
    {TriggerMode::FromNow, "From Now", 68},
    {TriggerMode::SpecifiedTime, "Specified Time", 104},
    {TriggerMode::IdleTime, "Idle Time", 140},
    {TriggerMode::Everyday, "Everyday", 175},
}};

inline constexpr int kFieldHeight = 26;

// A trigger's input fields are enabled only while its radio is chosen, read after it, and
// named after it for screen readers.
struct TimeFieldRow {
    TriggerMode mode; // the trigger whose field it is
    const char* name;
    QTime ScheduleFields::*value; // what it shows and edits; its default is the layout's text
    int x;
    int y;
    int width;
};

// The four time fields, as they stand top to bottom.
inline constexpr std::array<TimeFieldRow, 4> kTimeFields{{
    {TriggerMode::FromNow, "TimeeditSuandanitibaren", &ScheduleFields::fromNow, 180, 73, 120},
    {TriggerMode::SpecifiedTime, "timeEditBelirtilenSure", &ScheduleFields::specifiedTime, 307, 109,
     62},
    {TriggerMode::IdleTime, "qzTimeEdit3", &ScheduleFields::idle, 180, 144, 120},
    {TriggerMode::Everyday, "qzTimeEdit1", &ScheduleFields::everyday, 180, 178, 119},
}};
// The one date field, dateEditBelirtilenSure, is the specified time's, read before its time
// field and standing at its left, at the from-now field's x and width.
inline constexpr TriggerMode kDateFieldMode = TriggerMode::SpecifiedTime;
inline constexpr int kDateFieldY = 109;

} // namespace qz::window_rows
