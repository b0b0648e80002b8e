#pragma once

#include "schedule/power_action.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace qz {

// What the program was started to do, from its arguments.
struct CommandLine {
    enum class Kind {
        Start,   // no request: the window (a running copy shows its own instead)
        Tray,    // start, or keep running, in the tray
        Print,   // --help, --version: print `output` and end
        Invalid, // print `output` (the reason and a hint) and end with kUsageError
        Request, // a request for the running copy: arm, cancel, status
    };
    Kind kind = Kind::Start;
    QString output;
    // One line of the running copy's channel (see remote_requests.h).
    QByteArray request;
};

// Exit statuses a script can test.
inline constexpr int kExitRefused = 2;   // the running copy refused the task; reason on stderr
inline constexpr int kExitIdle = 3;      // --status: no task is armed
inline constexpr int kUsageError = 64;   // the arguments do not say what to do
inline constexpr int kExitNoAnswer = 69; // a running copy exists but does not answer

// arguments: as the program received them, the program's own name first.
CommandLine parseCommandLine(const QStringList& arguments);

// The command line's names of the actions: shutdown, restart, lock, standby, sleep, signout.
QString actionOptionName(PowerAction action);
std::optional<PowerAction> actionFromOptionName(const QString& name);

} // namespace qz
