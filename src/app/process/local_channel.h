#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace qz {

// The single-copy channel's transport: a listening end under a name (a socket path on Unix,
// a pipe name on Windows) where each client sends one line and gets one line back, at most
// kMaxLine bytes each. On Unix it is written on the system's sockets, so that the program
// that runs for days maps no network library.
class LocalChannelServer : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype kMaxLine = 4096;
    using Handler = std::function<QByteArray(const QByteArray& line)>;

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

// A client's question: the answer line, or nothing when no listener answered within
// timeoutMs (it may still be starting, so connecting is retried until then).
std::optional<QByteArray> askLocalChannel(const QString& name, const QByteArray& line,
                                          int timeoutMs);

} // namespace qz
