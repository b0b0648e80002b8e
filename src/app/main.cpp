#include "app/anaform.h"
#include "app/app_fonts.h"
#include "app/guarded_application.h"
#include "app/termination_signals.h"
#include "app/user_prompts.h"

int main(int argc, char* argv[]) {
    qz::MessageBoxPrompts prompts;
    qz::GuardedApplication app(argc, argv, prompts);
    qz::RegisterTahomaFaces();
    // Lets Wayland desktops match the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("qzscheduler"));
    TAnaform Anaform(qz::DefaultAnaformDeps());
    app.setWindowIcon(Anaform.windowIcon()); // message boxes too
    // The end of the session ends the program as its close button does.
    qz::TerminationSignals termination([&Anaform] { Anaform.CloseButtonClick(); });
    Anaform.show();
    return app.exec();
}
