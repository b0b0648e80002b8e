#pragma once

#include <QString>

class QWidget;

namespace qz {

// The message boxes the window shows. The window never opens a box itself, so tests can
// answer the questions and record the errors without a modal loop.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // An error box with the error icon and one OK button.
    virtual void showError(QWidget* parent, const QString& title, const QString& text) = 0;
    // A Yes/No question with the question icon, Yes the default button; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The platform's message boxes.
class MessageBoxPrompts final : public UserPrompts {
public:
    void showError(QWidget* parent, const QString& title, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
};

} // namespace qz
