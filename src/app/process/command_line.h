#pragma once

#include "app/process/request.h"

#include <QString>
#include <QStringList>

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
    // What a Request asks.
    Request request;
};

// How long a request waits for the running copy to take it.
inline constexpr int kTakeMSecs = 20'000;

// Exit statuses a script can test; --help lists them too.
inline constexpr int kExitRefused = 2;   // the running copy refused the task; reason on stderr
inline constexpr int kExitIdle = 3;      // --status: no task is armed
inline constexpr int kExitTooLate = 4;   // --cancel: the action was already asked of the system
inline constexpr int kUsageError = 64;   // the arguments do not say what to do
inline constexpr int kExitNoAnswer = 69; // no running copy took the request in time, or it
                                         // ended before it answered

// arguments: as the program received them, the program's own name first.
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace qz
