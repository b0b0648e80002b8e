#include "app/process/local_channel.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
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

struct LocalChannelServer::Listener {
    QLocalServer* server = nullptr;
};

LocalChannelServer::LocalChannelServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {}

LocalChannelServer::~LocalChannelServer() {
    delete m_listener;
}

bool LocalChannelServer::listen(const QString& name) {
    if (m_listener)
        return false;
    // Only the lock's holder listens: a pipe of that name was left by a copy that died.
    QLocalServer::removeServer(name);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    server->setMaxPendingConnections(8);
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            socket->setParent(this);
            QTimer::singleShot(kClientMSecs, socket, [socket] { socket->abort(); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > kMaxLine)
                        socket->abort();
                    return;
                }
                const QByteArray line = firstLine(socket->readLine(kMaxLine + 1));
                socket->write(m_handler(line).left(kMaxLine) + '\n');
                socket->disconnectFromServer();
            });
        }
    });
    if (!server->listen(name)) {
        delete server;
        return false;
    }
    m_listener = new Listener{server};
    return true;
}

std::optional<QByteArray> askLocalChannel(const QString& name, const QByteArray& line,
                                          int timeoutMs) {
    if (line.size() > LocalChannelServer::kMaxLine || line.contains('\n'))
        return std::nullopt;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(int(qMin<qint64>(500, deadline.remainingTime()))))
            break;
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(100);
    }
    socket.write(line + '\n');
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (deadline.hasExpired() || (!socket.waitForReadyRead(int(deadline.remainingTime())) &&
                                      socket.bytesAvailable() == 0))
            return std::nullopt;
        answer += socket.readAll();
        if (answer.size() > LocalChannelServer::kMaxLine + 1)
            return std::nullopt;
    }
    return firstLine(answer);
}

} // namespace qz
