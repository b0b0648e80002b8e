#include "update/update_worker.h"

#include "update/worker_protocol.h"
#include "update/worker_transfer.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <thread>

namespace qz {

namespace {

constexpr int kBadRequest = 2;
constexpr int kParentGone = 3;

// The parent holds the other end of standard input; once it has gone (ended, killed), the
// worker ends too, and the event loop's end discards an unfinished download.
void endWithParent() {
    std::thread([] {
        while (std::fgetc(stdin) != EOF) {
        }
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app, [] { QCoreApplication::exit(kParentGone); }, Qt::QueuedConnection);
    }).detach();
}

void writeLine(const QByteArray& line) {
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fflush(stdout);
}

} // namespace

bool isUpdateWorkerCall(int argc, char* argv[]) {
    return argc >= 2 && std::strcmp(argv[1], kUpdateWorkerOption) == 0;
}

int runUpdateWorker(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::optional<WorkerRequest> request = workerRequestFrom(app.arguments().mid(2));
    if (!request)
        return kBadRequest;
    endWithParent();
    WorkerTransfer transfer(*request, writeLine);
    QObject::connect(&transfer, &WorkerTransfer::finished, &app,
                     [](int exitCode) { QCoreApplication::exit(exitCode); });
    // From the event loop: an exit() before it runs would be lost.
    QMetaObject::invokeMethod(&transfer, &WorkerTransfer::start, Qt::QueuedConnection);
    return app.exec();
}

} // namespace qz
