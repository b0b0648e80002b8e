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

// One connected client: its line is handed on once whole; the answer is written back
// through the peer, which closes the client.
class PipeClient : public ChannelPeer {
public:
    PipeClient(QLocalSocket* socket, const LocalChannelServer::Handler& handler, QObject* parent)
        : ChannelPeer(parent), m_socket(socket), m_handler(handler), m_silence(new QTimer(this)) {
        socket->setParent(this);
        m_silence->setSingleShot(true);
        connect(m_silence, &QTimer::timeout, this, &PipeClient::close);
        m_silence->start(kClientMSecs);
        connect(socket, &QLocalSocket::readyRead, this, &PipeClient::readLine);
    }

    bool write(const QByteArray& line) override {
        if (m_socket->state() != QLocalSocket::ConnectedState)
            return false;
        m_socket->write(line.left(LocalChannelServer::kMaxLine) + '\n');
        return m_socket->flush() || m_socket->bytesToWrite() == 0;
    }

    void close() override {
        m_silence->stop();
        disconnect(m_socket, nullptr, this, nullptr);
        m_socket->disconnectFromServer();
        deleteLater();
    }

private:
    void readLine() {
        if (!m_socket->canReadLine()) {
            if (m_socket->bytesAvailable() > LocalChannelServer::kMaxLine)
                close(); // no line this long is ever asked
            return;
        }
        // Whole: the client now waits for its answer however long that takes.
        disconnect(m_socket, &QLocalSocket::readyRead, this, &PipeClient::readLine);
        m_silence->stop();
        const QByteArray line = m_socket->readLine(LocalChannelServer::kMaxLine + 1);
        if (!line.endsWith('\n'))
            return close();
        m_handler(line.chopped(1), this);
    }

    QLocalSocket* m_socket;
    const LocalChannelServer::Handler& m_handler;
    QTimer* m_silence;
};

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
        while (QLocalSocket* socket = server->nextPendingConnection())
            new PipeClient(socket, m_handler, this);
    });
    if (!server->listen(name)) {
        delete server;
        return false;
    }
    m_listener = new Listener{server};
    return true;
}

std::optional<QByteArrayList> askLocalChannel(const QString& name, const QByteArray& line,
                                              int timeoutMs) {
    if (line.size() > LocalChannelServer::kMaxLine || line.contains('\n'))
        return std::nullopt;
    QDeadlineTimer deadline(timeoutMs);
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
    QByteArray received;
    while (received.size() <= 2 * LocalChannelServer::kMaxLine) {
        // Until the first line, as long as the deadline allows; then until the end.
        if (!socket.waitForReadyRead(int(deadline.remainingTime())) && socket.bytesAvailable() == 0)
            break;
        received += socket.readAll();
        if (received.contains('\n'))
            deadline = QDeadlineTimer::Forever;
    }
    return wholeLines(received);
}

} // namespace qz
