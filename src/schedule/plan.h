#pragma once

#include "schedule/power_action_names.h"
#include "schedule/schedule_fields.h"
#include "schedule/trigger_mode.h"

#include <QString>
#include <QTime>

namespace qz {

// A task as it is set up: what the computer is to do, when, and the values of the
// triggers' fields. A value: the window, the stored settings and other copies of the
// program hand it over whole, and it is checked before anything shows it.
struct Plan {
    PowerAction action = PowerAction::Shutdown;
    TriggerMode mode = TriggerMode::FromNow;
    ScheduleFields fields;

    bool operator==(const Plan&) const = default;
};

// What reading a request's value gave.
enum class PlanRequestResult {
    Read,
    ImpossibleDate, // a date the calendar lacks ("2026-02-30")
    Unreadable,     // not HH:MM, or not YYYY-MM-DDTHH:MM for a specified time
};

struct PlanRequest {
    PlanRequestResult result = PlanRequestResult::Read;
    Plan plan;
};

// A time of day written HH:MM, as requests and the stored everyday time give it; invalid
// for anything else.
QTime readTime(const QString& text);

// `base` with the action, the trigger and that trigger's field set from a request's value:
// HH:MM, or YYYY-MM-DDTHH:MM for a specified time. The other fields keep base's values.
PlanRequest planFromRequest(Plan base, PowerAction action, TriggerMode mode, const QString& value);

} // namespace qz
