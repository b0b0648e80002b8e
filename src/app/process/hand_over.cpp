#include "app/process/hand_over.h"

#include "app/process/command_line.h"
#include "app/process/single_instance.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdio>

namespace qz {

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

int fail(int status, const QString& reason) {
    print(stderr, QStringLiteral("qzscheduler: ") + reason);
    return status;
}

// Starts the program on its own, detached from this one's terminal and pipes, so a script
// that waits for this command's output is not held up by the copy that goes on running.
bool startRunningCopy() {
    QProcess copy;
    copy.setProgram(QCoreApplication::applicationFilePath());
    copy.setStandardInputFile(QProcess::nullDevice());
    copy.setStandardOutputFile(QProcess::nullDevice());
    copy.setStandardErrorFile(QProcess::nullDevice());
    return copy.startDetached();
}

} // namespace

int handOver(int argc, char* argv[], const Request& request) {
    QCoreApplication app(argc, argv);
    const SingleInstance instance;
    if (instance.place().channel.isEmpty())
        return fail(kExitNoAnswer,
                    QStringLiteral("no private folder for the running copy's channel "
                                   "(XDG_RUNTIME_DIR, the temporary folder, the cache folder)"));
    const bool asks =
        request.kind == Request::Kind::Status || request.kind == Request::Kind::Cancel;
    if (asks && !instance.isRunning()) {
        print(stdout, QString::fromLatin1(answer::kIdle));
        return request.kind == Request::Kind::Status ? kExitIdle : 0;
    }
    if (request.kind == Request::Kind::Arm && !instance.isRunning() && !startRunningCopy())
        return fail(kExitNoAnswer, QStringLiteral("the program could not be started"));

    const SingleInstance::Reply reply = instance.send(encodeRequest(request), kTakeMSecs);
    switch (reply.outcome) {
    case SingleInstance::Reply::Outcome::NotTaken:
        return fail(kExitNoAnswer, QStringLiteral("the running copy did not take the request "
                                                  "within %1 seconds; it will not be carried out")
                                       .arg(kTakeMSecs / 1000));
    case SingleInstance::Reply::Outcome::Unanswered:
        return fail(kExitNoAnswer, QStringLiteral("the running copy ended before it answered"));
    case SingleInstance::Reply::Outcome::Answered:
        break;
    }
    const QByteArray& line = reply.answer;
    if (const auto reason = answerAfter(line, answer::kRefused)) {
        print(stderr, QString::fromUtf8(*reason)); // the window's own sentence
        return kExitRefused;
    }
    const auto word = answerAfter(line, answer::kOk);
    if (request.kind == Request::Kind::Arm && word && !word->isEmpty())
        print(stderr, QString::fromUtf8(*word)); // armed, with a word for the user
    if (line == answer::kUnknown)
        return fail(kExitNoAnswer, QStringLiteral("the running copy does not know this request"));
    if (request.kind == Request::Kind::Cancel && line == answer::kSent)
        return fail(kExitTooLate,
                    QStringLiteral("too late: the action has already been asked of the system"));
    if (asks)
        print(stdout, QString::fromUtf8(line));
    return request.kind == Request::Kind::Status && line == answer::kIdle ? kExitIdle : 0;
}

} // namespace qz
