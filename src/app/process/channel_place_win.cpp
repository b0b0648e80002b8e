#include "app/process/channel_place.h"

#include <QDir>
#include <QRegularExpression>

#include <windows.h>

namespace qz {

ChannelPlace channelPlace() {
    // Pipe names are seen by the whole machine: the user's name and the Windows session
    // keep copies apart. The temporary folder is the user's own.
    DWORD session = 0;
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]"));
    const QString user = qEnvironmentVariable("USERNAME").replace(unsafe, QStringLiteral("_"));
    const QString base = QStringLiteral("qzscheduler-%1-%2").arg(user).arg(session);
    return {base, QDir::temp().filePath(base + QStringLiteral(".lock"))};
}

} // namespace qz
