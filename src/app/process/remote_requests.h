#pragma once

#include <QByteArray>

class TAnaform;

namespace qz {

// Answers what a later start of the program asks the running copy, one line each:
//   "show"     brings the window to the front                        -> "ok"
//   "tray"     sends the window to the tray                          -> "ok"
//   "status"   the armed task: "armed <action> <due time>"           -> or "idle"
//   "cancel"   stops the armed task as the Stop button does          -> "ok", or "idle"
//   "arm <action> <in|at|idle|everyday> <value>"  arms it as the window's controls
//              would (value HH:MM, or YYYY-MM-DDTHH:MM for "at")     -> "ok", or
//              "refused <the reason in the window's language>"
// Actions carry their command-line names; the due time is ISO 8601 local time with its
// offset. Anything else -> "unknown request".
QByteArray answerRemoteRequest(TAnaform& window, const QByteArray& request);

} // namespace qz
