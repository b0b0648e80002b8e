#pragma once

#include "update/update_task.h"
#include "update/update_window.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;
class QTemporaryDir;

namespace qz {

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
};

// The User-Agent the program's translation table carries for its HTTP client. Only one language
// fills that cell and an empty cell changes nothing, so it is the same in both languages.
QString UpdateUserAgent();

// Defaults for this machine: base address from UpdateBaseUrl(), 10 s, the temporary folder,
// GetOwnVersion() and the given User-Agent (UpdateUserAgent() without one).
UpdateOptions DefaultUpdateOptions(const QString& userAgent);
UpdateOptions DefaultUpdateOptions();

// The start-up version check and the download and start of the new program.
//
// The window calls start() once when it has been shown; it returns at once and the window stays
// usable. When the server's version text is in and differs from the own one, the window is asked
// message string "1"; on Yes StartUpdate() runs: the window stops staying on top, shows the update
// ring with caption "4" and its progress, and the new program is downloaded over the base
// address's scheme into a temporary file; the ring's progress counts only the body of an answer
// 200, the one that is kept. Only such a body that arrived whole is kept: the file is then renamed
// to its final name (executable on Linux), the caption becomes "5" and the window is asked "6". On
// Yes the new program is started by its full path and the window's endProgram() runs; on No the
// ring is hidden and the download removed. A failed download leaves no file behind, hides the ring
// and tells the user (message string "22"). Nothing is retried within a run. The check first
// removes this user's downloads that earlier runs left in the download root (see
// RemoveStaleDownloads), except the folder the running program was started from.
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
        Failed,      // the download failed (the ring keeps caption "4"), or the new program
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

Q_SIGNALS:
    void stateChanged(qz::Updater::State state);

private:
    void FetchServerVersion();
    void versionReplyFinished();
    void askToUpdate();
    void downloadData();
    void downloadFinished();
    void askToInstall();
    void failDownload();
    void reportProgress(const QNetworkReply* reply);
    void removeDownload();
    QString downloadRoot() const;
    void stopRequest();
    void discardDownload();
    void setState(State state);
    QNetworkReply* get(const QString& path);

    UpdateWindow& m_window;
    UpdateOptions m_options;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QTemporaryDir> m_downloadDir;
    std::unique_ptr<QSaveFile> m_downloadFile;
    State m_state = State::Idle;
    QString m_serverVersion;
    QString m_downloadedFile;
    qint64 m_received = 0;
    bool m_started = false;
};

} // namespace qz
