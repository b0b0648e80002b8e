#include "app/process/guarded_application.h"

#include "app/user_prompts.h"

#include <QWidget>

namespace qz {

namespace {

QString describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace

bool runGuarded(UserPrompts& prompts, QWidget* parent, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        prompts.showError(parent, QString::fromUtf8(kProgramTitle),
                          describe(std::current_exception()));
        return false;
    }
}

GuardedApplication::GuardedApplication(int& argc, char** argv, UserPrompts& prompts)
    : QApplication(argc, argv), m_prompts(prompts) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    runGuarded(m_prompts, qobject_cast<QWidget*>(receiver) ? activeWindow() : nullptr,
               [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace qz
