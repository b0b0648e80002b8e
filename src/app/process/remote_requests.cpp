#include "app/process/remote_requests.h"

#include "app/anaform.h"
#include "app/process/command_line.h"
#include "schedule/scheduled_task.h"

#include <QList>

namespace qz {

namespace {

QByteArray status(const ScheduledTask& task) {
    if (!task.isArmed())
        return "idle";
    const QDateTime due = task.countdown().endTime();
    const QString when = due.toOffsetFromUtc(due.offsetFromUtc()).toString(Qt::ISODate);
    return "armed " + actionOptionName(task.action()).toUtf8() + ' ' + when.toUtf8();
}

// "arm <action> <in|at|idle|everyday> <value>", as the command line sends it.
QByteArray arm(TAnaform& window, const QList<QByteArray>& words) {
    static const std::pair<const char*, TriggerMode> kTriggers[] = {
        {"in", TriggerMode::FromNow},
        {"at", TriggerMode::SpecifiedTime},
        {"idle", TriggerMode::IdleTime},
        {"everyday", TriggerMode::Everyday}};
    if (words.size() != 4)
        return "unknown request";
    const auto action = actionFromOptionName(QString::fromUtf8(words[1]));
    const auto trigger = std::find_if(std::begin(kTriggers), std::end(kTriggers),
                                      [&](const auto& t) { return words[2] == t.first; });
    if (!action || trigger == std::end(kTriggers))
        return "unknown request";
    const QString refusal =
        window.armFromCommand(*action, trigger->second, QString::fromUtf8(words[3]));
    if (refusal.isEmpty())
        return "ok";
    // One line: the reason's own line breaks become blanks.
    return "refused " + refusal.simplified().toUtf8();
}

} // namespace

QByteArray answerRemoteRequest(TAnaform& window, const QByteArray& request) {
    const QList<QByteArray> words = request.split(' ');
    if (request == "show") {
        window.bringToFront();
        return "ok";
    }
    if (request == "tray") {
        window.qzGlyphButton1Click();
        return "ok";
    }
    if (request == "status")
        return status(window.task());
    if (request == "cancel") {
        if (!window.isArmed())
            return "idle";
        window.btnStartStopClick(); // exactly as the Stop button
        return "ok";
    }
    if (words.value(0) == "arm")
        return arm(window, words);
    return "unknown request";
}

} // namespace qz
