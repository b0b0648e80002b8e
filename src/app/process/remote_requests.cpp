#include "app/process/remote_requests.h"

#include "app/process/request.h"
#include "app/process/request_target.h"

namespace qz {

namespace {

QByteArray status(const RequestTarget& target) {
    const std::optional<RequestTarget::ArmedTask> task = target.armedTask();
    if (!task)
        return answer::kIdle;
    const QString when = task->due.toOffsetFromUtc(task->due.offsetFromUtc()).toString(Qt::ISODate);
    return answerLine(answer::kArmed,
                      actionOptionName(task->action).toUtf8() + ' ' + when.toUtf8());
}

QByteArray cancel(RequestTarget& target) {
    switch (target.cancel()) {
    case RequestTarget::CancelResult::Stopped:
        break;
    case RequestTarget::CancelResult::NotArmed:
        return answer::kIdle;
    case RequestTarget::CancelResult::AlreadySent:
        return answer::kSent;
    }
    return answer::kOk;
}

} // namespace

QByteArray answerRemoteRequest(RequestTarget& target, const QByteArray& line) {
    const std::optional<Request> request = decodeRequest(line);
    if (!request)
        return answer::kUnknown;
    switch (request->kind) {
    case Request::Kind::Show:
        target.show();
        break;
    case Request::Kind::Tray:
        target.toTray();
        break;
    case Request::Kind::Status:
        return status(target);
    case Request::Kind::Cancel:
        return cancel(target);
    case Request::Kind::Arm: {
        const RequestTarget::ArmAnswer armed =
            target.arm(request->action, request->trigger, request->value);
        // One line: the sentence's own line breaks become blanks.
        return answerLine(armed.armed ? answer::kOk : answer::kRefused,
                          armed.said.simplified().toUtf8());
    }
    }
    return answer::kOk;
}

} // namespace qz
