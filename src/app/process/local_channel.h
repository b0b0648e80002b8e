#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace qz {

// One client of the channel as the listening end sees it: the way back to it. It lives until
// close(), or until the client breaks off before its line is whole: hold it in a QPointer.
class ChannelPeer : public QObject {
public:
    using QObject::QObject;
    // Writes one line to the client; false when it cannot be written (the client is gone).
    virtual bool write(const QByteArray& line) = 0;
    // Ends the conversation: the client sees the end, and this object goes.
    virtual void close() = 0;
};

// The single-copy channel's transport: a listening end under a name (a socket path on Unix,
// a pipe name on Windows) where each client sends one line and reads the lines written back
// until the listening end closes, at most kMaxLine bytes each.
class LocalChannelServer : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype kMaxLine = 4096;
    // Called from the event loop with each client's line, once it is whole. The answer may
    // come later, through the peer.
    using Handler = std::function<void(const QByteArray& line, ChannelPeer* peer)>;

    explicit LocalChannelServer(Handler handler, QObject* parent = nullptr);
    ~LocalChannelServer() override;

    // Listens under `name`, replacing what a copy that died left there: only the lock's
    // holder may call it. False when the name cannot be listened on.
    bool listen(const QString& name);

private:
    struct Listener;
    Handler m_handler;
    Listener* m_listener = nullptr;
};

// A client's question: the lines the listening end wrote back until it closed, or nothing
// when no listener took the line and wrote its first line back within timeoutMs (it may
// still be starting, so connecting is retried until then). Once a first line has come, the
// rest is waited for as long as the listener keeps the connection open.
std::optional<QByteArrayList> askLocalChannel(const QString& name, const QByteArray& line,
                                              int timeoutMs);

// The whole lines of what a client received; nothing when not even one line came whole.
std::optional<QByteArrayList> wholeLines(const QByteArray& received);

} // namespace qz
