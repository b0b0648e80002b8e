#pragma once

#include "schedule/power_action.h"
#include "schedule/trigger_mode.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace qz {

// What the running copy's requests act on: the window and its task, seen from outside.
class RequestTarget {
public:
    virtual ~RequestTarget() = default;

    // Brings the window to the front, or sends it to the tray.
    virtual void show() = 0;
    virtual void toTray() = 0;

    struct ArmedTask {
        PowerAction action;
        QDateTime due;
    };
    // The armed task; nothing when none is armed.
    virtual std::optional<ArmedTask> armedTask() const = 0;

    enum class CancelResult {
        Stopped,     // the armed task was stopped as the Stop button stops it
        NotArmed,    // there was no task to stop
        AlreadySent, // its action has been asked of the system: too late to stop it
    };
    virtual CancelResult cancel() = 0;

    // What an arm request came to, with the window's sentence about it in its language: why
    // it was refused, or what the user should know of the armed task (often nothing).
    struct ArmAnswer {
        bool armed = false;
        QString said;
    };
    // Arms the task as Start would arm the same plan. value: HH:MM, or YYYY-MM-DDTHH:MM for
    // a specified time.
    virtual ArmAnswer arm(PowerAction action, TriggerMode trigger, const QString& value) = 0;
};

} // namespace qz
