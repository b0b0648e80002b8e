#include "app/process/local_channel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qz {

namespace {

// A client that neither asks nor leaves is dropped after this long.
constexpr int kClientMSecs = 5000;
constexpr int kBacklog = 8;

bool socketAddress(const QByteArray& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    if (path.isEmpty() || path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

sockaddr* asSockaddr(sockaddr_un& address) {
    return reinterpret_cast<sockaddr*>(&address);
}

// Sends all of `data`, waiting for room until the deadline. MSG_NOSIGNAL: a peer that has
// gone must not end this process with SIGPIPE.
bool sendAll(int fd, QByteArray data, const QDeadlineTimer& deadline) {
    while (!data.isEmpty()) {
        const ssize_t sent = ::send(fd, data.constData(), size_t(data.size()), MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove(0, sent);
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        pollfd wait{fd, POLLOUT, 0};
        if (deadline.hasExpired() || ::poll(&wait, 1, int(deadline.remainingTime())) < 0)
            return false;
    }
    return true;
}

// One connected client: its line is read as it arrives and handed on once whole; the
// answer is written back through the peer, which closes the client.
class ChannelClient : public ChannelPeer {
public:
    ChannelClient(int fd, const LocalChannelServer::Handler& handler, QObject* parent)
        : ChannelPeer(parent), m_fd(fd), m_handler(handler),
          m_notifier(new QSocketNotifier(fd, QSocketNotifier::Read, this)),
          m_silence(new QTimer(this)) {
        connect(m_notifier, &QSocketNotifier::activated, this, &ChannelClient::readLine);
        m_silence->setSingleShot(true);
        connect(m_silence, &QTimer::timeout, this, &ChannelClient::close);
        m_silence->start(kClientMSecs);
    }
    ~ChannelClient() override { ::close(m_fd); }

    bool write(const QByteArray& line) override {
        return sendAll(m_fd, line.left(LocalChannelServer::kMaxLine) + '\n',
                       QDeadlineTimer(kClientMSecs));
    }

    void close() override {
        m_notifier->setEnabled(false);
        m_silence->stop();
        ::shutdown(m_fd, SHUT_RDWR);
        deleteLater();
    }

private:
    void readLine() {
        char chunk[1024];
        for (;;) {
            const ssize_t got = ::read(m_fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return; // the rest of the line is still on its way
            if (got <= 0)
                return close(); // gone, or broken, before a whole line
            m_received.append(chunk, got);
            const qsizetype end = m_received.indexOf('\n');
            if (end > LocalChannelServer::kMaxLine ||
                (end < 0 && m_received.size() > LocalChannelServer::kMaxLine))
                return close(); // no line this long is ever asked
            if (end >= 0) {
                // Whole: the client now waits for its answer however long that takes.
                m_notifier->setEnabled(false);
                m_silence->stop();
                return m_handler(m_received.left(end), this);
            }
        }
    }

    int m_fd;
    const LocalChannelServer::Handler& m_handler;
    QSocketNotifier* m_notifier;
    QTimer* m_silence; // a client that neither asks nor leaves is dropped
    QByteArray m_received;
};

} // namespace

struct LocalChannelServer::Listener {
    int fd = -1;
    QByteArray path;
};

LocalChannelServer::LocalChannelServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {}

LocalChannelServer::~LocalChannelServer() {
    if (!m_listener)
        return;
    ::close(m_listener->fd);
    ::unlink(m_listener->path.constData());
    delete m_listener;
}

bool LocalChannelServer::listen(const QString& name) {
    const QByteArray path = QFile::encodeName(name);
    sockaddr_un address;
    if (m_listener || !socketAddress(path, address))
        return false;
    // Only the lock's holder listens: a socket of that name was left by a copy that died.
    ::unlink(path.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // The user's own processes only, whatever the folder allows.
    if (::bind(fd, asSockaddr(address), sizeof address) < 0 ||
        ::chmod(path.constData(), 0600) < 0 || ::listen(fd, kBacklog) < 0) {
        ::close(fd);
        ::unlink(path.constData());
        return false;
    }
    m_listener = new Listener{fd, path};
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, fd] {
        for (;;) {
            const int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (client < 0 && errno == EINTR)
                continue;
            if (client < 0)
                return;
            new ChannelClient(client, m_handler, this);
        }
    });
    return true;
}

std::optional<QByteArrayList> askLocalChannel(const QString& name, const QByteArray& line,
                                              int timeoutMs) {
    sockaddr_un address;
    if (line.size() > LocalChannelServer::kMaxLine || line.contains('\n') ||
        !socketAddress(QFile::encodeName(name), address))
        return std::nullopt;
    QDeadlineTimer deadline(timeoutMs);
    int fd = -1;
    for (;;) {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            return std::nullopt;
        if (::connect(fd, asSockaddr(address), sizeof address) == 0)
            break;
        ::close(fd);
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(ulong(qMin<qint64>(100, deadline.remainingTime())));
    }
    QByteArray received;
    bool ended = !sendAll(fd, line + '\n', deadline);
    while (!ended) {
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break; // no first line in time
        char chunk[1024];
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        ended = got <= 0;
        received.append(chunk, qMax<ssize_t>(got, 0));
        if (received.contains('\n'))
            deadline = QDeadlineTimer::Forever; // taken: the rest comes when it is ready
        if (received.size() > 2 * LocalChannelServer::kMaxLine)
            break;
    }
    ::close(fd);
    return wholeLines(received);
}

} // namespace qz
