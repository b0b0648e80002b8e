#include "power/session_lock.h"

#include "power/logind_names.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <utility>

namespace qz {

namespace {

using namespace logind;

const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
constexpr int kPollMs = 250;
// How long the screen saver and xdg-screensaver may take to answer.
constexpr int kHelperTimeoutMs = 10'000;

QString dbusFailure(const QString& what, const QDBusError& error) {
    return what + QStringLiteral(": ") + error.message() + QStringLiteral(" (") + error.name() +
           QLatin1Char(')');
}

// One lock's search for something that locks the screen. Lives until it has told done.
class LockSearch : public QObject {
public:
    LockSearch(QDBusConnection systemBus, QString sessionPath, PowerDone done)
        : m_system(std::move(systemBus)), m_sessionPath(std::move(sessionPath)),
          m_done(std::move(done)) {}

    void start() {
        watch([this] {
            m_tried << QStringLiteral("LockSession: no screen locker set the session's "
                                      "LockedHint");
            askScreenSaver();
        });
    }

private:
    // Reads the hint until it is true (locked) or kLockWatchMs have passed (otherwise).
    void watch(std::function<void()> otherwise) {
        m_otherwise = std::move(otherwise);
        m_watching.start();
        readHint();
    }

    void readHint() {
        QDBusMessage msg = QDBusMessage::createMethodCall(kService, m_sessionPath, kProperties,
                                                          QStringLiteral("Get"));
        msg.setArguments({kSession, QStringLiteral("LockedHint")});
        auto* watcher = new QDBusPendingCallWatcher(m_system.asyncCall(msg, kQueryTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
            watcher->deleteLater();
            const QDBusPendingReply<QDBusVariant> reply = *watcher;
            // A hint that cannot be read tells nothing: what was asked is taken at its word.
            if (reply.isError() || reply.value().variant().toBool()) {
                finish({});
            } else if (m_watching.hasExpired(kLockWatchMs)) {
                std::exchange(m_otherwise, {})();
            } else {
                QTimer::singleShot(kPollMs, this, &LockSearch::readHint);
            }
        });
    }

    // The desktop's own screen saver, where there is one: its answer is its lock.
    void askScreenSaver() {
        const QDBusMessage msg = QDBusMessage::createMethodCall(
            kScreenSaver, QStringLiteral("/org/freedesktop/ScreenSaver"), kScreenSaver,
            QStringLiteral("Lock"));
        auto* watcher = new QDBusPendingCallWatcher(
            QDBusConnection::sessionBus().asyncCall(msg, kHelperTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
            watcher->deleteLater();
            if (!watcher->isError()) {
                finish({});
                return;
            }
            m_tried << dbusFailure(kScreenSaver + QStringLiteral(".Lock"), watcher->error());
            runXdgScreensaver();
        });
    }

    // xdg-screensaver ends well even where it only blanks the screen: the session decides.
    void runXdgScreensaver() {
        auto* process = new QProcess(this);
        process->setStandardInputFile(QProcess::nullDevice());
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        const QString what = QStringLiteral("xdg-screensaver lock");
        connect(process, &QProcess::errorOccurred, this, [this, what](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart) {
                m_tried << what + QStringLiteral(": could not be started");
                finish(m_tried.join(QStringLiteral("; ")).toStdString());
            }
        });
        connect(process, &QProcess::finished, this,
                [this, what](int code, QProcess::ExitStatus status) {
                    if (status != QProcess::NormalExit || code != 0) {
                        m_tried << what + (status == QProcess::NormalExit
                                               ? QStringLiteral(": exit status %1").arg(code)
                                               : QStringLiteral(": crashed, or was stopped after "
                                                                "%1 s")
                                                     .arg(kHelperTimeoutMs / 1000));
                        finish(m_tried.join(QStringLiteral("; ")).toStdString());
                        return;
                    }
                    watch([this, what] {
                        m_tried << what + QStringLiteral(": the session's LockedHint stayed false");
                        finish(m_tried.join(QStringLiteral("; ")).toStdString());
                    });
                });
        QTimer::singleShot(kHelperTimeoutMs, process, &QProcess::kill);
        process->start(QStringLiteral("xdg-screensaver"), {QStringLiteral("lock")});
    }

    void finish(const std::string& error) {
        if (!m_done)
            return;
        std::exchange(m_done, {})(error);
        deleteLater();
    }

    QDBusConnection m_system;
    QString m_sessionPath;
    PowerDone m_done;
    QElapsedTimer m_watching;
    std::function<void()> m_otherwise;
    QStringList m_tried; // what was asked, and why it did not lock
};

} // namespace

void confirmSessionLocked(QDBusConnection systemBus, const QString& sessionId, PowerDone done) {
    QDBusMessage msg = QDBusMessage::createMethodCall(
        logind::kService, logind::kManagerPath, logind::kManager, QStringLiteral("GetSession"));
    msg.setArguments({sessionId});
    const QDBusReply<QDBusObjectPath> path =
        systemBus.call(msg, QDBus::Block, logind::kQueryTimeoutMs);
    if (!path.isValid()) {
        done({}); // no session to watch: logind's word
        return;
    }
    (new LockSearch(std::move(systemBus), path.value().path(), std::move(done)))->start();
}

} // namespace qz
