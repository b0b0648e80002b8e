#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

namespace qz {

namespace {

// A client that neither asks nor leaves is dropped after this long.
constexpr int kClientMSecs = 5000;

QByteArray firstLine(const QByteArray& data) {
    const qsizetype end = data.indexOf('\n');
    return end < 0 ? QByteArray() : data.left(end);
}

} // namespace

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
    // Holding the lock, any socket of that name was left by a copy that died.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->setMaxPendingConnections(8);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection())
            serve(socket);
    });
    m_server->listen(m_name);
}

void SingleInstance::serve(QLocalSocket* socket) {
    socket->setParent(this);
    QTimer::singleShot(kClientMSecs, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaxRequest)
                socket->abort();
            return;
        }
        const QByteArray request = firstLine(socket->readLine(kMaxRequest + 1));
        const QByteArray answer = m_handler ? m_handler(request) : QByteArrayLiteral("busy");
        socket->write(answer.left(kMaxRequest) + '\n');
        socket->disconnectFromServer();
    });
}

std::optional<QByteArray> SingleInstance::send(const QByteArray& request, int timeoutMs) const {
    if (request.size() > kMaxRequest || request.contains('\n'))
        return std::nullopt;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_name);
        if (socket.waitForConnected(int(qMin<qint64>(500, deadline.remainingTime()))))
            break;
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(100);
    }
    socket.write(request + '\n');
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (deadline.hasExpired() || (!socket.waitForReadyRead(int(deadline.remainingTime())) &&
                                      socket.bytesAvailable() == 0))
            return std::nullopt;
        answer += socket.readAll();
        if (answer.size() > kMaxRequest + 1)
            return std::nullopt;
    }
    return firstLine(answer);
}

} // namespace qz
