#pragma once

#include "update/update_task.h"
#include "update/update_window.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>

class QTemporaryDir;

namespace qz {

class WorkerProcess;
struct WorkerRequest;

struct UpdateOptions {
    // Where the version file and the new program come from.
    QUrl baseUrl;
    // Sent as the User-Agent header of both requests.
    QString userAgent;
    // Bound for connecting and for each wait for data; a server that stays silent this long fails.
    // The whole version check gets twice this.
    std::chrono::milliseconds timeout{std::chrono::seconds(10)};
    // Folder that receives a private sub-folder holding the new program; empty means the user's
    // temporary folder.
    QString downloadRoot;
    // This program's version text.
    QString ownVersion;
    // The program that does the network work in a process of its own, and the arguments that
    // make it do so (see update/worker_protocol.h).
    QString workerProgram;
    QStringList workerArguments;
    // Starts the new program, on its own, by its full path; false when it could not be started.
    std::function<bool(const QString& path)> startProgram = [](const QString& path) {
        return QProcess::startDetached(path, {});
    };
};

// The update worker program that comes with this one.
QString updateWorkerProgram();

// The User-Agent the program's translation table carries for its HTTP client. Only one language
// fills that cell and an empty cell changes nothing, so it is the same in both languages.
QString UpdateUserAgent();

// Defaults for this machine: base address from UpdateBaseUrl(), 10 s, the temporary folder,
// GetOwnVersion(), the given User-Agent (UpdateUserAgent() without one), and
// updateWorkerProgram() started with the worker option as the worker.
UpdateOptions defaultUpdateOptions(const QString& userAgent);
UpdateOptions defaultUpdateOptions();

// The start-up version check and the download and start of the new program.
//
// The window calls start() once when it has been shown; it returns at once and the window stays
// usable. When the server's version text is in and differs from the own one, the window is asked
// MessageId::NewVersion; on Yes StartUpdate() runs: the window stops staying on top, shows the
// update ring with caption MessageId::Updating and its progress, and the new program is downloaded
// over the base address's scheme into a private folder; the ring's progress counts only the body of
// an answer 200, the one that is kept. Only such a body proven whole is kept under its final name
// (executable on Linux): it matches the SHA-256 the version file names or, where the file names
// none, it is as long as the server announced (a chunked body proves nothing). The caption then
// becomes MessageId::Downloaded and the window is asked MessageId::InstallNow. On Yes the new
// program is started by its full path and the window's endProgram() runs; on No the ring is hidden
// and the download removed. A failed download leaves no file behind, hides the ring and tells the
// user (MessageId::DownloadFailed). Nothing is retried within a run. The check first removes this
// user's downloads that earlier runs left in the download root (see removeStaleDownloads), except
// the folder the running program was started from.
//
// The check and the download each run in a worker process (see update/worker_protocol.h), so no
// network or TLS library is loaded into this one; a worker that fails to start, crashes or reports
// nothing counts as a failed check or download.
//
// The Updater must not outlive the window it was given. Destroying it, or cancel(), stops any
// request at once and removes a partial download.
class Updater : public QObject, public UpdateTask {
    Q_OBJECT
public:
    enum class State {
        Idle,        // nothing started yet
        Checking,    // the version file is being fetched
        UpToDate,    // check over without a question, or the answer was No
        Downloading, // the new program is being fetched
        Failed,      // the download failed (the ring keeps its caption), or the new program
                     // would not start (the ring is hidden and this program runs on)
        Declined,    // downloaded, the answer to the install question was No
        Installing,  // the new program was started and the program is ending
        Cancelled,   // cancel() stopped the work
    };
    Q_ENUM(State)

    Updater(UpdateWindow& window, UpdateOptions options, QObject* parent = nullptr);
    ~Updater() override;

    // Starts the version check without waiting for it. Only the first call does anything.
    void start() override;
    // Starts the download as after a Yes to the update question.
    void StartUpdate();
    // Stops any request and removes a partial download; no window call follows.
    void cancel();

    State state() const { return m_state; }
    // The server's version text once the check is over ("hata" on any failure), else empty.
    QString serverVersion() const { return m_serverVersion; }
    // Full path of the new program once it has been downloaded whole and kept for starting,
    // else empty (also after a No to the install question, which removes it).
    QString downloadedFile() const { return m_downloadedFile; }

private:
    void FetchServerVersion();
    void versionCheckOver(bool succeeded);
    void askToUpdate();
    void downloadOver(bool succeeded);
    void askToInstall();
    void failDownload();
    void removeDownload();
    QString downloadRoot() const;
    WorkerProcess* startWorker(WorkerRequest request);
    void retireWorker();
    void killWorker();
    void discardDownload();

    UpdateWindow& m_window;
    UpdateOptions m_options;
    WorkerProcess* m_worker = nullptr;
    std::unique_ptr<QTemporaryDir> m_downloadDir;
    State m_state = State::Idle;
    QString m_serverVersion;
    // The SHA-256 the version file named for the new program; empty when it named none.
    QString m_programSha256;
    QString m_downloadedFile;
    bool m_started = false;
};

} // namespace qz
