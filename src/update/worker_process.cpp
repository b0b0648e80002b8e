#include "update/worker_process.h"

#include <QProcess>

namespace qz {

namespace {

// Longer than any line the worker writes (a version text of 2047 characters, percent-encoded).
constexpr qint64 kMaxLineBytes = 64 * 1024;

} // namespace

WorkerProcess::WorkerProcess(const QString& program, const QStringList& leadingArguments,
                             QObject* parent)
    : QObject(parent), m_program(program), m_leadingArguments(leadingArguments),
      m_process(new QProcess(this)) {
    // The worker's own warnings go where the program's go; only its report is read.
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &WorkerProcess::readLines);
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        readLines();
        end(status == QProcess::NormalExit && code == 0);
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(false);
    });
}

WorkerProcess::~WorkerProcess() {
    m_process->disconnect(this);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
}

void WorkerProcess::start(const WorkerRequest& request) {
    // Standard input stays open: it is the worker's sign that this program still runs.
    m_process->start(m_program, m_leadingArguments + workerArguments(request));
}

void WorkerProcess::readLines() {
    while (m_process->canReadLine()) {
        const QByteArray line = m_process->readLine();
        const qint64 received = m_report.received;
        if (applyWorkerLine(m_report, line) && m_report.received != received)
            Q_EMIT progressed(m_report.received, m_report.total);
    }
    if (m_process->bytesAvailable() > kMaxLineBytes) {
        // No worker of this program writes that: whatever runs there is not trusted further.
        m_process->disconnect(this);
        m_process->kill();
        end(false);
    }
}

void WorkerProcess::end(bool succeeded) {
    if (m_ended)
        return;
    m_ended = true;
    Q_EMIT finished(succeeded);
}

} // namespace qz
