#pragma once

#include <QByteArray>

class TAnaform;

namespace qz {

// Answers what a later start of the program asks the running copy, one line each:
//   "show"   brings the window to the front                     -> "ok"
//   "status" the armed task: "armed <action word> <due time>"   -> or "idle"
// The due time is ISO 8601 local time with its offset. Anything else -> "unknown request".
QByteArray answerRemoteRequest(TAnaform& window, const QByteArray& request);

} // namespace qz
