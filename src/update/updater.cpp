#include "update/updater.h"

#include "update/stale_downloads.h"
#include "update/update_system.h"
#include "update/version_check.h"
#include "update/worker_process.h"
#include "update/worker_protocol.h"

#include "i18n/message_id.h"
#include "i18n/program_translation.h"
#include "i18n/translation_table.h"

#include "build_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace qz {

namespace {

// A download folder untouched this long belongs to no download still running.
constexpr qint64 kStaleDownloadSecs = 60 * 60;
// What a worker may take beyond its own bound on the version check (2 timeouts) to start up and
// end, before this program stops waiting for it.
constexpr std::chrono::seconds kWorkerGrace{5};

} // namespace

QString updateWorkerProgram() {
    const QString name = programFileName(QStringLiteral("qzscheduler-update"));
    // Beside the program when it runs from its build or on Windows; else where it is installed.
    const QDir own(QCoreApplication::applicationDirPath());
    const QString beside = own.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(own.filePath(QString::fromUtf8(build::kWorkerFolderFromProgram)) +
                           QLatin1Char('/') + name);
}

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

UpdateOptions defaultUpdateOptions() {
    return defaultUpdateOptions(UpdateUserAgent());
}

UpdateOptions defaultUpdateOptions(const QString& userAgent) {
    UpdateOptions options;
    options.baseUrl = UpdateBaseUrl();
    options.userAgent = userAgent;
    options.downloadRoot = QDir::tempPath();
    options.ownVersion = GetOwnVersion();
    options.workerProgram = updateWorkerProgram();
    options.workerArguments = {QString::fromLatin1(kUpdateWorkerOption)};
    return options;
}

Updater::Updater(UpdateWindow& window, UpdateOptions options, QObject* parent)
    : QObject(parent), m_window(window), m_options(std::move(options)) {}

Updater::~Updater() {
    killWorker();
    discardDownload();
}

void Updater::start() {
    if (m_started)
        return;
    m_started = true;
    removeStaleDownloads(downloadRoot(), QCoreApplication::applicationDirPath(),
                         QDateTime::currentDateTime().addSecs(-kStaleDownloadSecs));
    FetchServerVersion();
}

void Updater::cancel() {
    const bool busy = m_state == State::Checking || m_state == State::Downloading;
    killWorker();
    discardDownload();
    if (busy)
        m_state = State::Cancelled;
}

WorkerProcess* Updater::startWorker(WorkerRequest request) {
    request.baseUrl = m_options.baseUrl;
    request.userAgent = m_options.userAgent;
    request.timeout = m_options.timeout;
    m_worker = new WorkerProcess(m_options.workerProgram, m_options.workerArguments, this);
    m_worker->start(request);
    return m_worker;
}

void Updater::retireWorker() {
    if (!m_worker)
        return;
    m_worker->disconnect(this);
    // Possibly inside its own signal, so deleted from the event loop; a worker still running
    // then (a hung check) is killed.
    m_worker->deleteLater();
    m_worker = nullptr;
}

void Updater::killWorker() {
    delete m_worker; // kills it and waits for it, so it writes nothing more
    m_worker = nullptr;
}

void Updater::FetchServerVersion() {
    m_state = State::Checking;
    WorkerRequest request;
    request.kind = WorkerRequest::Kind::Version;
    WorkerProcess* worker = startWorker(request);
    connect(worker, &WorkerProcess::finished, this, &Updater::versionCheckOver);
    // The worker bounds the check itself; this catches a worker that hangs.
    QTimer::singleShot(2 * m_options.timeout + kWorkerGrace, worker, [this, worker] {
        if (m_worker == worker)
            versionCheckOver(false);
    });
}

void Updater::versionCheckOver(bool succeeded) {
    if (!m_worker)
        return;
    const WorkerReport report = m_worker->report();
    retireWorker();
    m_serverVersion = succeeded && !report.version.isEmpty()
                          ? report.version
                          : QString::fromLatin1(kServerVersionError);
    m_programSha256 = report.sha256;

    if (!shouldOfferUpdate(m_serverVersion, m_options.ownVersion)) {
        m_state = State::UpToDate;
        return;
    }
    // Ask from the event loop rather than inside the worker's signal: the box runs its own loop.
    QMetaObject::invokeMethod(this, &Updater::askToUpdate, Qt::QueuedConnection);
}

void Updater::askToUpdate() {
    if (m_state != State::Checking)
        return;
    QPointer<Updater> self(this);
    const bool yes = m_window.askYesNo(m_window.messageString(messageKey(MessageId::NewVersion)));
    if (!self || m_state != State::Checking)
        return;
    if (yes)
        StartUpdate();
    else
        m_state = State::UpToDate;
}

void Updater::StartUpdate() {
    if (m_state == State::Downloading || m_state == State::Installing)
        return;
    m_window.stopStayingOnTop();
    m_window.showUpdateRing();
    m_window.setUpdateRingCaption(m_window.messageString(messageKey(MessageId::Updating)));
    m_state = State::Downloading;
    m_downloadedFile.clear();

    // A fresh private folder, so no other user of a shared temporary folder can plant or swap
    // the file that is started later.
    m_downloadDir = std::make_unique<QTemporaryDir>(downloadRoot() + QLatin1Char('/') +
                                                    QString::fromLatin1(kDownloadFolderPattern));
    if (!m_downloadDir->isValid()) {
        failDownload();
        return;
    }
    WorkerRequest request;
    request.kind = WorkerRequest::Kind::Download;
    request.file = m_downloadDir->filePath(UpdateFileName());
    request.sha256 = m_programSha256;
    WorkerProcess* worker = startWorker(request);
    connect(worker, &WorkerProcess::progressed, this, [this](qint64 received, qint64 total) {
        m_window.setUpdateRingProgress(received, total);
    });
    connect(worker, &WorkerProcess::finished, this, &Updater::downloadOver);
}

void Updater::downloadOver(bool succeeded) {
    const bool done = succeeded && m_worker && m_worker->report().done;
    retireWorker();
    const QString path = m_downloadDir->filePath(UpdateFileName());
    if (!done || !QFileInfo(path).isFile()) {
        failDownload();
        return;
    }
    // From here the file is complete and stays, whatever the answer.
    m_downloadDir->setAutoRemove(false);
    m_downloadedFile = QFileInfo(path).absoluteFilePath();
    m_window.setUpdateRingCaption(m_window.messageString(messageKey(MessageId::Downloaded)));
    QMetaObject::invokeMethod(this, &Updater::askToInstall, Qt::QueuedConnection);
}

void Updater::askToInstall() {
    if (m_state != State::Downloading)
        return;
    QPointer<Updater> self(this);
    const bool yes = m_window.askYesNo(m_window.messageString(messageKey(MessageId::InstallNow)));
    if (!self || m_state != State::Downloading)
        return;
    if (!yes) {
        removeDownload();
        m_window.hideUpdateRing();
        m_state = State::Declined;
        return;
    }
    // By full path only: a bare name could be resolved to some other program.
    if (!m_options.startProgram(m_downloadedFile)) {
        // Ending now would leave the user with no program running at all.
        removeDownload();
        m_window.hideUpdateRing();
        m_state = State::Failed;
        return;
    }
    m_state = State::Installing;
    m_window.endProgram();
}

void Updater::failDownload() {
    retireWorker();
    discardDownload();
    m_state = State::Failed;
    m_window.hideUpdateRing();
    // Told from the event loop rather than inside the worker's signal: the box runs its own loop.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_window.showUpdateFailure(
                m_window.messageString(messageKey(MessageId::DownloadFailed)));
        },
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
    if (m_downloadDir && m_downloadedFile.isEmpty())
        m_downloadDir.reset(); // removes the private folder and anything left in it
}

} // namespace qz
