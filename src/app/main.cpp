#include "app/anaform.h"
#include "app/app_fonts.h"
#include "app/guarded_application.h"
#include "app/remote_requests.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "app/user_prompts.h"
#include "update/update_worker.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    // The program started again by itself for the update's network work: no window, no
    // single-copy claim, no settings.
    if (qz::isUpdateWorkerCall(argc, argv))
        return qz::runUpdateWorker(argc, argv);

    qz::MessageBoxPrompts prompts;
    qz::GuardedApplication app(argc, argv, prompts);
    // First, so that the end of the session is never lost, not even while a start-up
    // message box is open.
    qz::TerminationSignals termination;

    // One copy per user and session: a second start shows the first one's window.
    qz::SingleInstance instance;
    if (!instance.claim()) {
        if (instance.send("show"))
            return 0;
        std::fputs("qzscheduler: another copy is running but does not answer\n", stderr);
        return 1;
    }

    qz::RegisterTahomaFaces();
    // Lets Wayland desktops match the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("qzscheduler"));
    TAnaform Anaform(qz::DefaultAnaformDeps());
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
    return app.exec();
}
