#pragma once

#include "schedule/power_action.h"
#include "schedule/trigger_mode.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace qz {

// What a later start asks the running copy. Written on the channel as one line of blank-
// separated words: "show", "tray", "status", "cancel", or
// "arm <action> <in|at|idle|everyday> <value>" with the command line's action names and a
// value of HH:MM, or YYYY-MM-DDTHH:MM for "at".
struct Request {
    enum class Kind { Show, Tray, Status, Cancel, Arm };
    Kind kind = Kind::Show;
    // Arm only.
    PowerAction action = PowerAction::Shutdown;
    TriggerMode trigger = TriggerMode::FromNow;
    QString value;

    bool operator==(const Request&) const = default;
};

QByteArray encodeRequest(const Request& request);
// Nothing for a line that is no request.
std::optional<Request> decodeRequest(const QByteArray& line);

// The running copy's answers (see remote_requests.h): a word, then for some a blank and
// the rest ("ok <sentence>", "refused <sentence>", "armed <action> <due time>").
namespace answer {
inline constexpr char kOk[] = "ok";
inline constexpr char kRefused[] = "refused";
inline constexpr char kArmed[] = "armed";
inline constexpr char kIdle[] = "idle";
inline constexpr char kSent[] = "sent";
inline constexpr char kUnknown[] = "unknown request";
} // namespace answer

// `word`, then a blank and `rest` when there is any.
QByteArray answerLine(const char* word, const QByteArray& rest = {});
// The rest after `word` and a blank; nothing when the line does not start with that word.
std::optional<QByteArray> answerAfter(const QByteArray& line, const char* word);

// The command line's and the channel's words: for the actions shutdown, restart, lock,
// standby, sleep, signout; for the triggers in, at, idle, everyday.
QString actionOptionName(PowerAction action);
std::optional<PowerAction> actionFromOptionName(const QString& name);
const char* triggerWord(TriggerMode trigger);

} // namespace qz
