#include "update/updater.h"

#include "update/stale_downloads.h"
#include "update/version_check.h"

#include "i18n/program_translation.h"
#include "i18n/translation_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>

namespace qz {

namespace {

// A version file is a few lines; anything larger is not one.
constexpr qint64 kMaxVersionFileBytes = 64 * 1024;
// Far above any build of the program; stops a server that never ends its body from filling
// the disk.
constexpr qint64 kMaxProgramBytes = qint64(1) << 30;
// A download folder untouched this long belongs to no download still running.
constexpr qint64 kStaleDownloadSecs = 60 * 60;

int httpStatus(const QNetworkReply* reply) {
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// True when the body is as long as the server announced (or it announced nothing).
bool bodyComplete(const QNetworkReply* reply, qint64 received) {
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    return !announced.isValid() || announced.toLongLong() == received;
}

} // namespace

QString UpdateUserAgent() {
    TranslationTable table;
    table.read(programTranslationData());
    if (const QStringList* rows = table.list(TranslationTable::stOtherStrings)) {
        for (int language : {1, 2}) {
            const QString agent = getStringValue(*rows, u"httpClient1.UserAgent", language);
            if (!agent.isEmpty())
                return agent;
        }
    }
    // The client's own setting, for a program whose table lacks the row.
    return QStringLiteral("QZ URI Client/1.0");
}

UpdateOptions DefaultUpdateOptions() {
    return DefaultUpdateOptions(UpdateUserAgent());
}

UpdateOptions DefaultUpdateOptions(const QString& userAgent) {
    UpdateOptions options;
    options.baseUrl = UpdateBaseUrl();
    options.userAgent = userAgent;
    options.downloadRoot = QDir::tempPath();
    options.ownVersion = GetOwnVersion();
    return options;
}

Updater::Updater(UpdateWindow& window, UpdateOptions options, QObject* parent)
    : QObject(parent), m_window(window), m_options(std::move(options)),
      m_network(new QNetworkAccessManager(this)) {}

Updater::~Updater() {
    stopRequest();
    discardDownload();
}

void Updater::start() {
    if (m_started)
        return;
    m_started = true;
    RemoveStaleDownloads(downloadRoot(), QCoreApplication::applicationDirPath(),
                         QDateTime::currentDateTime().addSecs(-kStaleDownloadSecs));
    FetchServerVersion();
}

void Updater::cancel() {
    const bool busy = m_state == State::Checking || m_state == State::Downloading;
    stopRequest();
    discardDownload();
    if (busy)
        setState(State::Cancelled);
}

QNetworkReply* Updater::get(const QString& path) {
    QNetworkRequest request(UpdateUrl(m_options.baseUrl, path));
    if (!m_options.userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, m_options.userAgent);
    // Plain bodies only, so the announced length is the length of what arrives.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setTransferTimeout(static_cast<int>(m_options.timeout.count()));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    return m_network->get(request);
}

void Updater::stopRequest() {
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void Updater::FetchServerVersion() {
    setState(State::Checking);
    m_reply = get(QString::fromLatin1(kVersionFilePath));
    connect(m_reply, &QNetworkReply::readyRead, this, [this] {
        if (m_reply && m_reply->bytesAvailable() > kMaxVersionFileBytes)
            m_reply->abort();
    });
    connect(m_reply, &QNetworkReply::finished, this, &Updater::versionReplyFinished);
    // The transfer bound only catches silence; a server that drips bytes is cut off here.
    QTimer::singleShot(2 * m_options.timeout, m_reply,
                       [reply = m_reply.data()] { reply->abort(); });
}

void Updater::versionReplyFinished() {
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();

    QString server = QString::fromLatin1(kServerVersionError);
    if (reply->error() == QNetworkReply::NoError) {
        const QByteArray body = reply->readAll();
        if (bodyComplete(reply, body.size()))
            server = ServerVersionFromAnswer(httpStatus(reply), body);
    }
    m_serverVersion = server;

    if (!ShouldOfferUpdate(server, m_options.ownVersion)) {
        setState(State::UpToDate);
        return;
    }
    // Ask from the event loop rather than inside the reply's signal: the box runs its own loop.
    QMetaObject::invokeMethod(this, &Updater::askToUpdate, Qt::QueuedConnection);
}

void Updater::askToUpdate() {
    if (m_state != State::Checking)
        return;
    QPointer<Updater> self(this);
    const bool yes = m_window.askYesNo(m_window.messageString(QStringLiteral("1")));
    if (!self || m_state != State::Checking)
        return;
    if (yes)
        StartUpdate();
    else
        setState(State::UpToDate);
}

void Updater::StartUpdate() {
    if (m_state == State::Downloading || m_state == State::Installing)
        return;
    m_window.stopStayingOnTop();
    m_window.showUpdateRing();
    m_window.setUpdateRingCaption(m_window.messageString(QStringLiteral("4")));
    setState(State::Downloading);
    m_received = 0;
    m_downloadedFile.clear();

    // A fresh private folder, so no other user of a shared temporary folder can plant or swap
    // the file that is started later.
    m_downloadDir = std::make_unique<QTemporaryDir>(downloadRoot() + QLatin1Char('/') +
                                                    QString::fromLatin1(kDownloadFolderPattern));
    if (!m_downloadDir->isValid()) {
        failDownload();
        return;
    }
    // QSaveFile writes beside the final name and renames only on commit.
    m_downloadFile = std::make_unique<QSaveFile>(m_downloadDir->filePath(UpdateFileName()));
    if (!m_downloadFile->open(QIODevice::WriteOnly)) {
        failDownload();
        return;
    }

    m_reply = get(UpdateProgramPath());
    connect(m_reply, &QNetworkReply::readyRead, this, &Updater::downloadData);
    connect(m_reply, &QNetworkReply::finished, this, &Updater::downloadFinished);
}

void Updater::downloadData() {
    if (!m_reply || !m_downloadFile)
        return;
    // An error page is not worth fetching: anything but 200 ends the download here.
    const QByteArray data = httpStatus(m_reply) == 200 ? m_reply->readAll() : QByteArray();
    m_received += data.size();
    if (data.isEmpty() || m_received > kMaxProgramBytes ||
        m_downloadFile->write(data) != data.size()) {
        m_reply->abort(); // finishes the reply, downloadFinished() cleans up
        return;
    }
    reportProgress(m_reply);
}

void Updater::reportProgress(const QNetworkReply* reply) {
    // Only the kept body counts, against the length the server announced for it.
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    m_window.setUpdateRingProgress(m_received, announced.isValid() ? announced.toLongLong() : -1);
}

void Updater::downloadFinished() {
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply || !m_downloadFile)
        return;
    reply->deleteLater();

    if (reply->error() == QNetworkReply::NoError && httpStatus(reply) == 200) {
        const QByteArray rest = reply->readAll();
        m_received += rest.size();
        if (m_downloadFile->write(rest) != rest.size())
            m_received = -1;
        else if (!rest.isEmpty())
            reportProgress(reply);
    }
    const bool whole = reply->error() == QNetworkReply::NoError && httpStatus(reply) == 200 &&
                       m_received > 0 && bodyComplete(reply, m_received);
    if (!whole || !m_downloadFile->commit()) {
        failDownload();
        return;
    }
    const QString path = m_downloadDir->filePath(UpdateFileName());
    m_downloadFile.reset();
#ifndef Q_OS_WIN
    if (!QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner |
                                         QFileDevice::ExeUser)) {
        failDownload();
        return;
    }
#endif
    // From here the file is complete and stays, whatever the answer.
    m_downloadDir->setAutoRemove(false);
    m_downloadedFile = QFileInfo(path).absoluteFilePath();
    m_window.setUpdateRingCaption(m_window.messageString(QStringLiteral("5")));
    QMetaObject::invokeMethod(this, &Updater::askToInstall, Qt::QueuedConnection);
}

void Updater::askToInstall() {
    if (m_state != State::Downloading)
        return;
    QPointer<Updater> self(this);
    const bool yes = m_window.askYesNo(m_window.messageString(QStringLiteral("6")));
    if (!self || m_state != State::Downloading)
        return;
    if (!yes) {
        removeDownload();
        m_window.hideUpdateRing();
        setState(State::Declined);
        return;
    }
    // By full path only: a bare name could be resolved to some other program.
    if (!QProcess::startDetached(m_downloadedFile, {})) {
        // Ending now would leave the user with no program running at all.
        removeDownload();
        m_window.hideUpdateRing();
        setState(State::Failed);
        return;
    }
    setState(State::Installing);
    m_window.endProgram();
}

void Updater::failDownload() {
    stopRequest();
    discardDownload();
    setState(State::Failed);
    m_window.hideUpdateRing();
    // Told from the event loop rather than inside the reply's signal: the box runs its own loop.
    QMetaObject::invokeMethod(
        this, [this] { m_window.showUpdateFailure(m_window.messageString(QStringLiteral("22"))); },
        Qt::QueuedConnection);
}

void Updater::removeDownload() {
    m_downloadedFile.clear();
    if (m_downloadDir) {
        m_downloadDir->remove();
        m_downloadDir.reset();
    }
}

QString Updater::downloadRoot() const {
    return m_options.downloadRoot.isEmpty() ? QDir::tempPath() : m_options.downloadRoot;
}

void Updater::discardDownload() {
    if (m_downloadFile) {
        m_downloadFile->cancelWriting();
        m_downloadFile.reset(); // removes the temporary file
    }
    if (m_downloadDir && m_downloadedFile.isEmpty())
        m_downloadDir.reset(); // removes the private folder and anything left in it
}

void Updater::setState(State state) {
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

} // namespace qz
