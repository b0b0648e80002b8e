#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;

namespace qz {

class LocalChannelServer;

// One running copy of the program per user and login session. The first start claims a
// lock and listens on a local channel; a later start hands its one-line request to that copy
// and ends with the answer. A request is one line of at most kMaxRequest bytes; so is the
// answer.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype kMaxRequest = 4096; // as the channel's kMaxLine
    using Handler = std::function<QByteArray(const QByteArray& request)>;

    // name: the channel's name; empty for this user's and session's own.
    explicit SingleInstance(QString name = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running copy (listening); false when another is.
    bool claim();
    // claim() in two steps, for a start that must know before it builds its window: the
    // lock (no application object needed), then, with the event loop's application, the
    // listening socket.
    bool lock();
    void listen();
    // Whether another process is the running copy, without claiming anything.
    bool isRunning() const;
    // Answers each request with the handler's result (until set: "busy").
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    // For a later start: the running copy's answer, or nothing when none answered within
    // timeoutMs (it may still be starting, so connecting is retried until then).
    std::optional<QByteArray> send(const QByteArray& request, int timeoutMs = 10000) const;

    // The channel of this user and session: under XDG_RUNTIME_DIR where there is one.
    static QString defaultName();

private:
    QString lockPath() const;

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    LocalChannelServer* m_channel = nullptr;
    Handler m_handler;
};

} // namespace qz
