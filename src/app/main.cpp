#include "app/app_fonts.h"
#include "app/guarded_application.h"
#include "app/user_prompts.h"

#include <QIcon>
#include <QWidget>

int main(int argc, char* argv[]) {
    qz::MessageBoxPrompts prompts;
    qz::GuardedApplication app(argc, argv, prompts);
    qz::RegisterTahomaFaces();
    app.setWindowIcon(QIcon(QStringLiteral(":/app/qzscheduler.png")));
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(qz::kProgramTitle));
    window.resize(547, 338);
    window.show();
    return app.exec();
}
