#include "app/process/channel_place.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qz {

namespace {

constexpr qsizetype kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;

// A folder no one but this user can reach or plant things in: a real folder (not a link),
// the user's own, closed to everyone else, and writable. Made when `make` and missing.
bool isPrivateFolder(const QString& folder, bool make) {
    const QByteArray path = QFile::encodeName(folder);
    if (!QDir::isAbsolutePath(folder))
        return false;
    if (make && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0 && ::access(path.constData(), W_OK | X_OK) == 0;
}

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.read(64 * 1024)) : QString();
}

// The login session: XDG_SESSION_ID, else the session scope logind put this process in,
// else the user's graphical session (what logind names as the user's display). A desktop
// that starts programs outside any session then still reaches its own session's copy.
QString sessionId() {
    QString id = qEnvironmentVariable("XDG_SESSION_ID");
    if (id.isEmpty()) {
        static const QRegularExpression scope(QStringLiteral("/session-([^/.]+)\\.scope$"),
                                              QRegularExpression::MultilineOption);
        id = scope.match(readFile(QStringLiteral("/proc/self/cgroup"))).captured(1);
    }
    if (id.isEmpty()) {
        static const QRegularExpression display(QStringLiteral("^DISPLAY=(.+)$"),
                                                QRegularExpression::MultilineOption);
        id = display.match(readFile(QStringLiteral("/run/systemd/users/%1").arg(::getuid())))
                 .captured(1);
    }
    // Part of a file name: nothing but letters, digits and a few marks, and short.
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]"));
    return id.remove(unsafe).left(32);
}

} // namespace

ChannelPlace channelPlace() {
    const QString session = sessionId();
    const QString base = session.isEmpty() ? QStringLiteral("qzscheduler")
                                           : QStringLiteral("qzscheduler-") + session;
    const QString socket = QLatin1Char('/') + base + QStringLiteral(".socket");
    const struct {
        QString folder;
        bool make;
    } candidates[] = {
        {qEnvironmentVariable("XDG_RUNTIME_DIR"), false},
        {QDir::tempPath() + QStringLiteral("/qzscheduler-%1").arg(::geteuid()), true},
        {QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
             QStringLiteral("/qzscheduler"),
         true},
    };
    for (const auto& [folder, make] : candidates) {
        if (QFile::encodeName(folder + socket).size() > kMaxSocketPath)
            continue;
        if (make && !folder.isEmpty())
            QDir().mkpath(QFileInfo(folder).path()); // the cache folder may not exist yet
        if (isPrivateFolder(folder, make))
            return {folder + socket, folder + QLatin1Char('/') + base + QStringLiteral(".lock")};
    }
    return {};
}

} // namespace qz
