#include "app/anaform.h"
#include "app/app_fonts.h"
#include "app/process/command_line.h"
#include "app/process/guarded_application.h"
#include "app/process/hand_over.h"
#include "app/process/remote_requests.h"
#include "app/process/single_instance.h"
#include "app/process/termination_signals.h"
#include "app/user_prompts.h"
#include "app/window_requests.h"

#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const qz::CommandLine command = qz::parseCommandLine(arguments);
    switch (command.kind) {
    case qz::CommandLine::Kind::Print:
        std::fputs(command.output.toLocal8Bit().constData(), stdout);
        return 0;
    case qz::CommandLine::Kind::Invalid:
        std::fputs(command.output.toLocal8Bit().constData(), stderr);
        return qz::kUsageError;
    case qz::CommandLine::Kind::Request:
        return qz::handOver(argc, argv, command.request);
    case qz::CommandLine::Kind::Start:
    case qz::CommandLine::Kind::Tray:
        break;
    }
    const bool toTray = command.kind == qz::CommandLine::Kind::Tray;
    // One copy per user and session: a later start shows the first one's window.
    qz::SingleInstance instance;
    if (!instance.lock())
        return qz::handOver(
            argc, argv, {toTray ? qz::Request::Kind::Tray : qz::Request::Kind::Show, {}, {}, {}});

    qz::MessageBoxPrompts prompts;
    qz::GuardedApplication app(argc, argv, prompts);
    // First, so that the end of the session is never lost, not even while a start-up
    // message box is open.
    qz::TerminationSignals termination;
    // Requests wait in the channel until the window is ready for them.
    instance.listen();

    qz::registerTahomaFaces();
    // Lets Wayland desktops match the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("qzscheduler"));
    TAnaform Anaform(qz::defaultAnaformDeps());
    app.setWindowIcon(Anaform.windowIcon()); // message boxes too
    // The end of the session ends the program as its close button does, and a session
    // manager that asks for the program's data to be saved gets it saved.
    termination.setHandler([&Anaform] { Anaform.CloseButtonClick(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &Anaform,
                     [&Anaform] { Anaform.controller().save(); });
    if (termination.requested())
        return 0; // the window's end saves the settings
    Anaform.show();
    if (termination.requested())
        return 0;
    // Ready once the first show has re-armed the stored task (or decided not to): a request
    // answered while a start-up box is open would be undone by that decision.
    qz::WindowRequests requests(Anaform);
    instance.setHandler([&requests](const QByteArray& request) {
        return qz::answerRemoteRequest(requests, request);
    });
    if (toTray) // once the event loop runs, when the tray icon is up
        QTimer::singleShot(0, &Anaform, [&Anaform] { Anaform.qzGlyphButton1Click(); });
    return app.exec();
}
