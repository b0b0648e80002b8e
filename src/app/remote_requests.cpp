#include "app/remote_requests.h"

#include "app/anaform.h"
#include "schedule/power_action.h"
#include "schedule/scheduled_task.h"

namespace qz {

namespace {

QByteArray status(const ScheduledTask& task) {
    if (!task.isArmed())
        return "idle";
    const QDateTime due = task.countdown().endTime();
    const QString when = due.toOffsetFromUtc(due.offsetFromUtc()).toString(Qt::ISODate);
    return "armed " + powerActionWord(task.action()).toUtf8() + ' ' + when.toUtf8();
}

} // namespace

QByteArray answerRemoteRequest(TAnaform& window, const QByteArray& request) {
    if (request == "show") {
        window.bringToFront();
        return "ok";
    }
    if (request == "status")
        return status(window.task());
    return "unknown request";
}

} // namespace qz
