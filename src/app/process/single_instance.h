#pragma once

#include "app/process/channel_place.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

class QLockFile;

namespace qz {

class ChannelPeer;
class LocalChannelServer;

// One running copy of the program per user and login session. The first start claims a
// lock and listens on a local channel; a later start hands its one-line request to that copy
// and ends with the answer.
//
// The running copy answers one request at a time, in the order they came, from its event
// loop: a request that comes while another is answered (behind a message box, say) waits
// its turn, and so does every request until the handler is set. Each request carries the
// time its sender stops waiting; one whose turn comes too late is dropped unanswered and
// never carried out. When its turn comes the sender is told "taken", and from then on it
// waits for the answer as long as the copy runs.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // A request is one line of at most this many bytes; so is the answer.
    static constexpr qsizetype kMaxRequest = 4000;
    using Handler = std::function<QByteArray(const QByteArray& request)>;

    explicit SingleInstance(ChannelPlace place = channelPlace(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running copy (listening); false when another is.
    bool claim();
    // claim() in two steps, for a start that must know before it builds its window: the
    // lock (no application object needed), then, with the event loop's application, the
    // listening channel. Where no lock can be had at all the process runs alone: lock() is
    // true, and no later start can reach it.
    bool lock();
    void listen();
    // Whether another process is the running copy, without claiming anything.
    bool isRunning() const;
    // Answers the requests, the held ones first.
    void setHandler(Handler handler);

    // For a later start: the running copy's answer.
    struct Reply {
        enum class Outcome {
            Answered,
            NotTaken,   // no copy took the request within the time: it is never carried out
            Unanswered, // the copy took it but ended before it answered
        };
        Outcome outcome;
        QByteArray answer;
    };
    Reply send(const QByteArray& request, int timeoutMs = 10000) const;

    const ChannelPlace& place() const { return m_place; }

private:
    struct Pending {
        QByteArray line;
        QPointer<ChannelPeer> peer;
    };
    void receive(const QByteArray& line, ChannelPeer* peer);
    void answerNext();

    ChannelPlace m_place;
    std::unique_ptr<QLockFile> m_lock;
    LocalChannelServer* m_channel = nullptr;
    Handler m_handler;
    std::deque<Pending> m_pending;
    bool m_answering = false;
};

} // namespace qz
