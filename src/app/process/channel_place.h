#pragma once

#include <QString>

namespace qz {

// Where one user's and login session's running copy keeps its channel and its lock.
struct ChannelPlace {
    QString channel; // a socket path on Unix, a pipe name on Windows; empty: no channel
    QString lock;    // the lock file's path; empty: no lock, every start runs alone

    // A channel at a socket path of the caller's choice, the lock beside it.
    static ChannelPlace at(const QString& channel) {
        return {channel, channel + QStringLiteral(".lock")};
    }
};

// This process's place. Unix: in XDG_RUNTIME_DIR where it is the user's own, writable
// folder and the socket's path fits; else in a folder of the user's own that is made for
// it (mode 0700, checked) in the temporary folder, then in the cache folder. The session is
// XDG_SESSION_ID, else logind's session of the process, else the user's graphical one.
// Windows: a pipe named for the user and the Windows session, the lock in the user's
// temporary folder.
ChannelPlace channelPlace();

} // namespace qz
