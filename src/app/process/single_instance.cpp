#include "app/process/single_instance.h"

#include "app/process/local_channel.h"

#include <QDir>
#include <QLockFile>
#include <QRegularExpression>

namespace qz {

static_assert(SingleInstance::kMaxRequest == LocalChannelServer::kMaxLine);

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), m_name(name.isEmpty() ? defaultName() : std::move(name)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName() {
    // The runtime folder belongs to one user's login session; elsewhere the user's name
    // keeps two users apart.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QStringLiteral("/qzscheduler.socket");
    QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    user.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return QStringLiteral("qzscheduler-") + user;
}

QString SingleInstance::lockPath() const {
    return QDir::isAbsolutePath(m_name) ? m_name + QStringLiteral(".lock")
                                        : QDir::temp().filePath(m_name + QStringLiteral(".lock"));
}

bool SingleInstance::isRunning() const {
    QLockFile lock(lockPath());
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}

bool SingleInstance::claim() {
    if (!lock())
        return false;
    listen();
    return true;
}

bool SingleInstance::lock() {
    m_lock = std::make_unique<QLockFile>(lockPath());
    // A lock whose owner is gone is taken over at once; a live owner keeps it however old.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    return true;
}

void SingleInstance::listen() {
    m_channel = new LocalChannelServer(
        [this](const QByteArray& request) {
            return m_handler ? m_handler(request) : QByteArrayLiteral("busy");
        },
        this);
    // Without it this copy still runs alone; later starts just cannot reach it.
    if (!m_channel->listen(m_name))
        qWarning("qzscheduler: cannot listen on %s", qUtf8Printable(m_name));
}

std::optional<QByteArray> SingleInstance::send(const QByteArray& request, int timeoutMs) const {
    return askLocalChannel(m_name, request, timeoutMs);
}

} // namespace qz
