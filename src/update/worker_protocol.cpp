#include "update/worker_protocol.h"

namespace qz {

namespace {

constexpr QByteArrayView kVersion = "version";
constexpr QByteArrayView kSha256 = "sha256";
constexpr QByteArrayView kProgress = "progress";
constexpr QByteArrayView kDone = "done";

QByteArray line(QByteArrayView word, const QString& text) {
    return word.toByteArray() + ' ' + text.toUtf8().toPercentEncoding() + '\n';
}

QString decoded(QByteArrayView text) {
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toByteArray()));
}

std::optional<qint64> number(QByteArrayView text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

} // namespace

QStringList workerArguments(const WorkerRequest& request) {
    QStringList arguments{request.kind == WorkerRequest::Kind::Version ? QStringLiteral("version")
                                                                       : QStringLiteral("download"),
                          request.baseUrl.toString(QUrl::FullyEncoded), request.userAgent,
                          QString::number(request.timeout.count())};
    if (request.kind == WorkerRequest::Kind::Download)
        arguments << request.file << request.sha256;
    return arguments;
}

std::optional<WorkerRequest> workerRequestFrom(const QStringList& arguments) {
    if (arguments.size() < 4)
        return std::nullopt;
    WorkerRequest request;
    if (arguments[0] == u"version" && arguments.size() == 4)
        request.kind = WorkerRequest::Kind::Version;
    else if (arguments[0] == u"download" && arguments.size() == 6 && !arguments[4].isEmpty())
        request.kind = WorkerRequest::Kind::Download;
    else
        return std::nullopt;
    request.baseUrl = QUrl(arguments[1], QUrl::StrictMode);
    request.userAgent = arguments[2];
    bool ok = false;
    const qint64 timeout = arguments[3].toLongLong(&ok);
    if (!request.baseUrl.isValid() || !ok || timeout <= 0)
        return std::nullopt;
    request.timeout = std::chrono::milliseconds(timeout);
    if (request.kind == WorkerRequest::Kind::Download) {
        request.file = arguments[4];
        request.sha256 = arguments[5];
    }
    return request;
}

QByteArray versionLine(const QString& version) {
    return line(kVersion, version);
}

QByteArray sha256Line(const QString& sha256) {
    return line(kSha256, sha256);
}

QByteArray progressLine(qint64 received, qint64 total) {
    return kProgress.toByteArray() + ' ' + QByteArray::number(received) + ' ' +
           QByteArray::number(total) + '\n';
}

QByteArray doneLine() {
    return kDone.toByteArray() + '\n';
}

bool applyWorkerLine(WorkerReport& report, QByteArrayView line) {
    // A worker on Windows may end its lines with "\r\n"; no encoded text holds either.
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    const qsizetype space = line.indexOf(' ');
    const QByteArrayView word = space < 0 ? line : line.first(space);
    const QByteArrayView rest = space < 0 ? QByteArrayView() : line.sliced(space + 1);
    if (word == kVersion && space >= 0) {
        report.version = decoded(rest);
    } else if (word == kSha256 && space >= 0) {
        report.sha256 = decoded(rest);
    } else if (word == kProgress && space >= 0) {
        const qsizetype gap = rest.indexOf(' ');
        const auto received = number(rest.first(gap < 0 ? 0 : gap));
        const auto total = number(gap < 0 ? QByteArrayView() : rest.sliced(gap + 1));
        if (!received || !total || *received < 0 || *total < -1)
            return false;
        report.received = *received;
        report.total = *total;
    } else if (line == kDone) {
        report.done = true;
    } else {
        return false;
    }
    return true;
}

} // namespace qz
