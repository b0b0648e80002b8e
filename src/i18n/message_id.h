#pragma once

#include <QString>

namespace qz {

// The rows of the translation table's message strings, by what they say.
enum class MessageId {
    NewVersion = 1,     // the update question
    PastDate = 2,       // a specified time not later than now
    TimeToComplete = 3, // the reminder's lead-in
    Updating = 4,       // the update ring's caption while downloading
    Downloaded = 5,     // ... once downloaded
    InstallNow = 6,     // the install question
    SkippedByClockChange = 7,
    IdleNotMeasurable = 8,
    ActionUnavailable = 9, // %1 the action
    ActionFailed = 10,     // %1 the action
    DeadlineMissed = 11,   // %1 the action, %2 when it was due
    AlreadyArmed = 12,
    TrayShow = 13,
    TrayHide = 14,
    Postpone = 15,
    CancelTask = 16,
    Quit = 17,
    DueAt = 18, // the tray tip: %1 the action, %2 the time
    ImpossibleDate = 21,
    DownloadFailed = 22,
    SettingsNotSaved = 23,
    UnreadableTime = 24,     // a request's time that is not HH:MM
    AuthorisationAsked = 25, // %1 the action
    LogonEntryNotRemoved = 26,
};

// The row's key in the table.
inline QString messageKey(MessageId id) {
    return QString::number(static_cast<int>(id));
}

} // namespace qz
