#pragma once

#include "update/worker_protocol.h"

#include <QCryptographicHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

namespace qz {

// The network side of the update worker: one request, reported in protocol lines.
//
// Version: fetches the version file and reports the server version text ("hata" unless an
// answer 200 as long as its announced length carries a build number) and, when the file names
// one, the program's SHA-256.
//
// Download: writes the body of an answer 200 into the request's file as it arrives, reporting
// progress. The file appears under its final name, executable, only when the body is proven
// whole: it matches the request's SHA-256, or, where the request has none, it is as long as its
// announced length. "done" is then reported. Anything else (a chunked body without a SHA-256,
// say) leaves no file.
class WorkerTransfer : public QObject {
    Q_OBJECT
public:
    using LineWriter = std::function<void(const QByteArray& line)>;

    WorkerTransfer(WorkerRequest request, LineWriter write, QObject* parent = nullptr);
    ~WorkerTransfer() override;

    void start();

Q_SIGNALS:
    // The request is over: 0 when its result was reported, else 1.
    void finished(int exitCode);

private:
    QNetworkReply* get(const QString& path);
    void versionFinished();
    void downloadData();
    void downloadFinished();
    bool write(const QByteArray& data);
    bool provenWhole();
    bool keepDownload();

    WorkerRequest m_request;
    LineWriter m_write;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QSaveFile> m_file;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    qint64 m_received = 0;
};

} // namespace qz
