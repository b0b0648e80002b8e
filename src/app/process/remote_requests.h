#pragma once

#include <QByteArray>

namespace qz {

class RequestTarget;

// The running copy's answer to one request line (see request.h), one line each:
//   show, tray  -> "ok"
//   status      -> "armed <action> <due time>", or "idle"
//   cancel      -> "ok"; "idle" when no task was armed; "sent" when its action had already
//                  been asked of the system
//   arm ...     -> "ok", "ok <what the user should know of the armed task>", or
//                  "refused <the reason>", sentences in the window's language
// The due time is ISO 8601 local time with its offset. Anything else -> "unknown request".
QByteArray answerRemoteRequest(RequestTarget& target, const QByteArray& line);

} // namespace qz
