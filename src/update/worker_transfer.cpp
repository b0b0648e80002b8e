#include "update/worker_transfer.h"

#include "update/update_system.h"
#include "update/version_check.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

namespace qz {

namespace {

// A version file is a few lines; anything larger is not one.
constexpr qint64 kMaxVersionFileBytes = 64 * 1024;
// Far above any build of the program; stops a server that never ends its body from filling
// the disk.
constexpr qint64 kMaxProgramBytes = qint64(1) << 30;

int httpStatus(const QNetworkReply* reply) {
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// Whether the body is as long as the server announced, which proves it whole. Chunks prove
// nothing: when the connection closes before the last chunk, the client may connect again, send
// the request again and still end the reply without an error, and it tells no one whether the
// last chunk came. A body without a length just stopped when the connection closed, which a
// cut-off transfer does too. Neither is ever taken as whole on its framing.
bool announcedLengthMet(const QNetworkReply* reply, qint64 received) {
    if (reply->error() != QNetworkReply::NoError || reply->hasRawHeader("Transfer-Encoding"))
        return false;
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    return announced.isValid() && announced.toLongLong() == received;
}

} // namespace

WorkerTransfer::WorkerTransfer(WorkerRequest request, LineWriter write, QObject* parent)
    : QObject(parent), m_request(std::move(request)), m_write(std::move(write)),
      m_network(new QNetworkAccessManager(this)) {}

WorkerTransfer::~WorkerTransfer() {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    // An unfinished download leaves nothing: the file is only ever committed whole.
    if (m_file)
        m_file->cancelWriting();
}

QNetworkReply* WorkerTransfer::get(const QString& path) {
    QNetworkRequest request(UpdateUrl(m_request.baseUrl, path));
    if (!m_request.userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, m_request.userAgent);
    // Plain bodies only, so the announced length is the length of what arrives.
    request.setRawHeader("Accept-Encoding", "identity");
    // HTTP/1.1, whose announced length is what tells a whole body from a cut one.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setTransferTimeout(static_cast<int>(m_request.timeout.count()));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    return m_network->get(request);
}

void WorkerTransfer::start() {
    if (m_request.kind == WorkerRequest::Kind::Version) {
        m_reply = get(QString::fromLatin1(kVersionFilePath));
        connect(m_reply, &QNetworkReply::readyRead, this, [this] {
            if (m_reply->bytesAvailable() > kMaxVersionFileBytes)
                m_reply->abort();
        });
        connect(m_reply, &QNetworkReply::finished, this, &WorkerTransfer::versionFinished);
        // The transfer bound only catches silence; a server that drips bytes is cut off here.
        QTimer::singleShot(2 * m_request.timeout, m_reply,
                           [reply = m_reply.data()] { reply->abort(); });
        return;
    }
    // QSaveFile writes beside the final name and renames only on commit.
    m_file = std::make_unique<QSaveFile>(m_request.file);
    if (!m_file->open(QIODevice::WriteOnly)) {
        Q_EMIT finished(1);
        return;
    }
    m_reply = get(UpdateProgramPath());
    connect(m_reply, &QNetworkReply::readyRead, this, &WorkerTransfer::downloadData);
    connect(m_reply, &QNetworkReply::finished, this, &WorkerTransfer::downloadFinished);
}

void WorkerTransfer::versionFinished() {
    m_reply->deleteLater();
    const QByteArray body = m_reply->readAll();
    const bool whole = announcedLengthMet(m_reply, body.size());
    const int status = httpStatus(m_reply);
    m_write(versionLine(whole ? ServerVersionFromAnswer(status, body)
                              : QString::fromLatin1(kServerVersionError)));
    const QString sha256 = ReadVersionInfoValue(body, kProgramSha256Key);
    if (whole && status == 200 && !sha256.isEmpty())
        m_write(sha256Line(sha256));
    Q_EMIT finished(0);
}

bool WorkerTransfer::write(const QByteArray& data) {
    m_received += data.size();
    if (m_received > kMaxProgramBytes || m_file->write(data) != data.size())
        return false;
    m_hash.addData(data);
    return true;
}

void WorkerTransfer::downloadData() {
    // An error page is not worth fetching: anything but 200 ends the download here.
    const QByteArray data = httpStatus(m_reply) == 200 ? m_reply->readAll() : QByteArray();
    if (data.isEmpty() || !write(data)) {
        m_reply->abort(); // finishes the reply; downloadFinished() refuses it
        return;
    }
    // Only the kept body counts, against the length the server announced for it.
    const QVariant announced = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_write(progressLine(m_received, announced.isValid() ? announced.toLongLong() : -1));
}

void WorkerTransfer::downloadFinished() {
    m_reply->deleteLater();
    const bool kept = httpStatus(m_reply) == 200 && write(m_reply->readAll()) && m_received > 0 &&
                      provenWhole() && keepDownload();
    if (!kept) {
        m_file->cancelWriting();
        m_file.reset(); // removes the partial file
        Q_EMIT finished(1);
        return;
    }
    m_write(doneLine());
    Q_EMIT finished(0);
}

bool WorkerTransfer::provenWhole() {
    // The SHA-256 the version file names decides alone: a match proves the program whatever the
    // framing, a mismatch refuses it whatever the framing.
    const QString expected = m_request.sha256;
    if (expected.isEmpty())
        return announcedLengthMet(m_reply, m_received);
    return QString::fromLatin1(m_hash.result().toHex()).compare(expected, Qt::CaseInsensitive) == 0;
}

bool WorkerTransfer::keepDownload() {
    if (!m_file->commit())
        return false;
    m_file.reset();
    if (!makeStartable(m_request.file)) {
        QFile::remove(m_request.file);
        return false;
    }
    return true;
}

} // namespace qz
