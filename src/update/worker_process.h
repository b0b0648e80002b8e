#pragma once

#include "update/worker_protocol.h"

#include <QObject>
#include <QStringList>

class QProcess;

namespace qz {

// One update worker as the program sees it: started with a request, followed through its lines,
// and killed, if still running, when this object goes. Signals come from the event loop.
class WorkerProcess : public QObject {
    Q_OBJECT
public:
    // `program` is started with `leadingArguments` and then the request's arguments.
    WorkerProcess(const QString& program, const QStringList& leadingArguments,
                  QObject* parent = nullptr);
    ~WorkerProcess() override;

    void start(const WorkerRequest& request);
    const WorkerReport& report() const { return m_report; }

Q_SIGNALS:
    void progressed(qint64 received, qint64 total);
    // The worker is over; `succeeded` when it ended by itself with status 0.
    void finished(bool succeeded);

private:
    void readLines();
    void end(bool succeeded);

    QString m_program;
    QStringList m_leadingArguments;
    QProcess* m_process = nullptr;
    WorkerReport m_report;
    bool m_ended = false;
};

} // namespace qz
