#include "app/anaform.h"
#include "app/app_fonts.h"
#include "app/process/command_line.h"
#include "app/process/guarded_application.h"
#include "app/process/remote_requests.h"
#include "app/process/single_instance.h"
#include "app/process/termination_signals.h"
#include "app/user_prompts.h"

#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
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

// Hands the request to the running copy, starting one for a task to arm, and reports the
// answer. Returns the exit status.
int handOver(int argc, char* argv[], const QByteArray& request, bool running) {
    QCoreApplication app(argc, argv);
    const qz::SingleInstance instance;
    if (!running) {
        if (request == "status" || request == "cancel") {
            print(stdout, QStringLiteral("idle\n"));
            return request == "status" ? qz::kExitIdle : 0;
        }
        if (request.startsWith("arm ") && !startRunningCopy()) {
            print(stderr, QStringLiteral("qzscheduler: the program could not be started\n"));
            return qz::kExitNoAnswer;
        }
    }
    const std::optional<QByteArray> answer = instance.send(request, 20'000);
    if (!answer) {
        print(stderr, QStringLiteral("qzscheduler: the running copy does not answer\n"));
        return qz::kExitNoAnswer;
    }
    if (answer->startsWith("refused ")) {
        print(stderr, QString::fromUtf8(answer->mid(8)) + QLatin1Char('\n'));
        return qz::kExitRefused;
    }
    if (request == "status" || request == "cancel")
        print(stdout, QString::fromUtf8(*answer) + QLatin1Char('\n'));
    if (request == "status" && *answer == "idle")
        return qz::kExitIdle;
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const qz::CommandLine command = qz::parseCommandLine(arguments);
    switch (command.kind) {
    case qz::CommandLine::Kind::Print:
        print(stdout, command.output);
        return 0;
    case qz::CommandLine::Kind::Invalid:
        print(stderr, command.output);
        return qz::kUsageError;
    case qz::CommandLine::Kind::Request:
        return handOver(argc, argv, command.request, qz::SingleInstance().isRunning());
    case qz::CommandLine::Kind::Start:
    case qz::CommandLine::Kind::Tray:
        break;
    }
    const bool toTray = command.kind == qz::CommandLine::Kind::Tray;
    // One copy per user and session: a later start shows the first one's window.
    qz::SingleInstance instance;
    if (!instance.lock())
        return handOver(argc, argv, toTray ? "tray" : "show", true);

    qz::MessageBoxPrompts prompts;
    qz::GuardedApplication app(argc, argv, prompts);
    // First, so that the end of the session is never lost, not even while a start-up
    // message box is open.
    qz::TerminationSignals termination;
    instance.listen();

    qz::registerTahomaFaces();
    // Lets Wayland desktops match the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("qzscheduler"));
    TAnaform Anaform(qz::defaultAnaformDeps());
    app.setWindowIcon(Anaform.windowIcon()); // message boxes too
    instance.setHandler([&Anaform](const QByteArray& request) {
        return qz::answerRemoteRequest(Anaform, request);
    });
    // The end of the session ends the program as its close button does, and a session
    // manager that asks for the program's data to be saved gets it saved.
    termination.setHandler([&Anaform] { Anaform.CloseButtonClick(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &Anaform,
                     [&Anaform] { Anaform.SaveSettings(); });
    if (termination.requested())
        return 0; // the window's end saves the settings
    Anaform.show();
    if (termination.requested())
        return 0;
    if (toTray) // once the event loop runs, when the tray icon is up
        QTimer::singleShot(0, &Anaform, [&Anaform] { Anaform.qzGlyphButton1Click(); });
    return app.exec();
}
