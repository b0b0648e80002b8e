#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <optional>

namespace qz {

// The version check and the download run in a short-lived worker program started with this
// option as its first argument, so the network and TLS libraries never enter the long-running
// process. The worker tells its parent what happened in lines on its standard output and ends when
// its standard input closes (its parent has gone).
inline constexpr char kUpdateWorkerOption[] = "--update-worker";

// What the worker is asked to do.
struct WorkerRequest {
    enum class Kind {
        Version,  // fetch the version file; report the server's version and the program's SHA-256
        Download, // fetch the new program into `file`; report progress, then whether it is whole
    };
    Kind kind = Kind::Version;
    QUrl baseUrl;
    QString userAgent;
    std::chrono::milliseconds timeout{0};
    // Download only: the final path of the new program, and the SHA-256 it must have (hex
    // digits; empty when the version file named none).
    QString file;
    QString sha256;
};

// The arguments after the option, and back; nullopt for anything that is no request.
QStringList workerArguments(const WorkerRequest& request);
std::optional<WorkerRequest> workerRequestFrom(const QStringList& arguments);

// What the worker has reported so far, built from its lines.
struct WorkerReport {
    QString version; // the server version text ("hata" for no usable answer)
    QString sha256;  // the version file's SHA-256 value; empty when it has none
    qint64 received = -1;
    qint64 total = -1; // -1 while the server announced no length
    bool done = false; // the new program is whole and in place
};

// One line each, ending in a newline. Texts are percent-encoded, so any value fits in a line.
QByteArray versionLine(const QString& version);
QByteArray sha256Line(const QString& sha256);
QByteArray progressLine(qint64 received, qint64 total);
QByteArray doneLine();

// Applies one line (with or without its line end) to the report; false for a line that is none of
// the above, which changes nothing.
bool applyWorkerLine(WorkerReport& report, QByteArrayView line);

} // namespace qz
