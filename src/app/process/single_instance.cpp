#include "app/process/single_instance.h"

#include "app/process/local_channel.h"

#include <QDeadlineTimer>
#include <QLockFile>
#include <QScopeGuard>
#include <QTimer>

namespace qz {

namespace {

// The sender's deadline leads the line, in milliseconds of the monotonic clock every
// process of the machine shares.
static_assert(SingleInstance::kMaxRequest + 24 <= LocalChannelServer::kMaxLine);
// A request is taken only with this long left before its sender stops waiting, so that
// "taken" reaches a sender that still listens.
constexpr qint64 kTakeMarginMSecs = 1000;
// Requests waiting their turn beyond this many are turned away unanswered.
constexpr std::size_t kMaxPending = 32;
constexpr char kTaken[] = "taken";

} // namespace

SingleInstance::SingleInstance(ChannelPlace place, QObject* parent)
    : QObject(parent), m_place(std::move(place)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::isRunning() const {
    if (m_place.lock.isEmpty())
        return false;
    QLockFile lock(m_place.lock);
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
    if (m_place.lock.isEmpty()) {
        qWarning("qzscheduler: no private folder for the single-copy lock; running alone");
        return true;
    }
    m_lock = std::make_unique<QLockFile>(m_place.lock);
    // A lock whose owner is gone is taken over at once; a live owner keeps it however old.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    const bool held = m_lock->error() == QLockFile::LockFailedError;
    m_lock.reset();
    if (!held)
        qWarning("qzscheduler: cannot take the lock %s; running alone",
                 qUtf8Printable(m_place.lock));
    return !held;
}

void SingleInstance::listen() {
    // Without the lock, or without a channel, this copy still runs alone; later starts just
    // cannot reach it.
    if (!m_lock || m_place.channel.isEmpty())
        return;
    m_channel = new LocalChannelServer(
        [this](const QByteArray& line, ChannelPeer* peer) { receive(line, peer); }, this);
    if (!m_channel->listen(m_place.channel))
        qWarning("qzscheduler: cannot listen on %s", qUtf8Printable(m_place.channel));
}

void SingleInstance::setHandler(Handler handler) {
    m_handler = std::move(handler);
    QTimer::singleShot(0, this, &SingleInstance::answerNext);
}

void SingleInstance::receive(const QByteArray& line, ChannelPeer* peer) {
    if (m_pending.size() >= kMaxPending)
        return peer->close();
    m_pending.push_back({line, peer});
    // From the event loop, never inside the client's own reading.
    QTimer::singleShot(0, this, &SingleInstance::answerNext);
}

void SingleInstance::answerNext() {
    // One at a time: a message box the handler opens runs the event loop, and the requests
    // that come meanwhile wait until this one is answered.
    if (m_answering || !m_handler)
        return;
    while (!m_pending.empty()) {
        const Pending next = m_pending.front();
        m_pending.pop_front();
        if (!next.peer)
            continue;
        const qsizetype blank = next.line.indexOf(' ');
        bool isNumber = false;
        const qint64 until = next.line.left(blank).toLongLong(&isNumber);
        QDeadlineTimer deadline;
        deadline.setDeadline(until);
        if (blank < 0 || !isNumber || deadline.remainingTime() < kTakeMarginMSecs ||
            !next.peer->write(kTaken)) {
            next.peer->close(); // its sender has given up, or is about to
            continue;
        }
        m_answering = true;
        const auto done = qScopeGuard([this, peer = next.peer] {
            m_answering = false;
            if (peer)
                peer->close();
            QTimer::singleShot(0, this, &SingleInstance::answerNext);
        });
        const QByteArray answer = m_handler(next.line.mid(blank + 1));
        if (next.peer)
            next.peer->write(answer);
        return;
    }
}

SingleInstance::Reply SingleInstance::send(const QByteArray& request, int timeoutMs) const {
    if (m_place.channel.isEmpty() || request.size() > kMaxRequest)
        return {Reply::Outcome::NotTaken, {}};
    const QByteArray line =
        QByteArray::number(QDeadlineTimer(timeoutMs).deadline()) + ' ' + request;
    const std::optional<QByteArrayList> lines = askLocalChannel(m_place.channel, line, timeoutMs);
    if (!lines)
        return {Reply::Outcome::NotTaken, {}};
    if (lines->constFirst() != kTaken)
        return {Reply::Outcome::NotTaken, {}}; // not a copy that takes requests this way
    if (lines->size() < 2)
        return {Reply::Outcome::Unanswered, {}};
    return {Reply::Outcome::Answered, lines->at(1)};
}

} // namespace qz
