#pragma once

namespace qz {

// Whether a task was armed and, if not, why. A task that is not armed is left as it was.
enum class ArmResult {
    Armed,
    AlreadyArmed,         // one task at a time: the armed one is cancelled first, on purpose
    NotInFuture,          // specified time not later than now
    SkippedByClockChange, // specified time in the hour a clock change skips
    ImpossibleDate,       // a specified date the calendar lacks
    Unreadable,           // a field or a request's value that is not a time
    IdleNotMeasurable,    // idle time where input cannot be seen
    ActionUnavailable,    // the system says it cannot: ScheduledTask::refusal() says why
};

} // namespace qz
