#pragma once

#include "i18n/program_titles.h"

#include <QApplication>

#include <exception>
#include <functional>

namespace qz {

class UserPrompts;

// Runs one event handler; an error escaping it is shown in the standard error box and
// the program goes on. Returns false when the handler failed.
bool runGuarded(UserPrompts& prompts, QWidget* parent, const std::function<void()>& handler);

// The application object. Errors that escape any event handler end up in the standard
// error box instead of ending the process.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv, UserPrompts& prompts);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    UserPrompts& m_prompts;
};

} // namespace qz
