// What the window tells the user about a task that did not go as set: refused at Start,
// refused by the system at the end, or skipped because its time passed unseen.
#include "app/anaform.h"

#include "app/user_prompts.h"
#include "i18n/language_index.h"
#include "i18n/program_titles.h"
#include "reminders/notifier.h"
#include "widgets/qz_button.h"
#include "widgets/qz_label.h"

#include <QLocale>

namespace {

// Identity of the outcome notification: a new one replaces the last, and leaves the
// countdown's reminders alone.
const char* const kOutcomeNotification = "QZ outcome";

} // namespace

QString TAnaform::actionCaption(qz::PowerAction action) const {
    return actionButton(action)->caption();
}

QString TAnaform::actionInMessage(qz::PowerAction action) const {
    // The English captions are nouns already; the Turkish ones are orders.
    if (activeLanguage() == qz::kTurkish)
        return QString::fromUtf8(qz::namesOf(action).turkishNoun);
    return actionCaption(action);
}

QString TAnaform::actionMessage(qz::MessageId id, qz::PowerAction action,
                                const QString& reason) const {
    return message(id).arg(actionInMessage(action)) + QLatin1Char('\n') + reason;
}

QString TAnaform::refusalText(qz::ArmResult result, qz::PowerAction action) const {
    switch (result) {
    case qz::ArmResult::AlreadyArmed:
        return message(qz::MessageId::AlreadyArmed);
    case qz::ArmResult::NotInFuture:
        return message(qz::MessageId::PastDate);
    case qz::ArmResult::SkippedByClockChange:
        return message(qz::MessageId::SkippedByClockChange);
    case qz::ArmResult::IdleNotMeasurable:
        return message(qz::MessageId::IdleNotMeasurable);
    case qz::ArmResult::ActionUnavailable:
        return actionMessage(qz::MessageId::ActionUnavailable, action,
                             QString::fromStdString(m_controller->task().refusal()));
    case qz::ArmResult::ImpossibleDate:
        return message(qz::MessageId::ImpossibleDate);
    case qz::ArmResult::Unreadable:
        return message(qz::MessageId::UnreadableTime);
    case qz::ArmResult::Armed:
        break;
    }
    return {};
}

void TAnaform::markUnavailableActions() {
    m_unavailable.clear();
    for (qz::PowerAction action : qz::kAllPowerActions) {
        const qz::PowerAvailability answer = m_controller->task().availability(action);
        // Shown as unavailable, its tip saying why; Start refuses it all the same.
        if (!answer.possible)
            m_unavailable.insert(action, QString::fromStdString(answer.reason));
    }
    setActionButtonsEnabled(!m_controller->task().isArmed());
    refreshUnavailableTips();
}

void TAnaform::refreshUnavailableTips() {
    for (qz::PowerAction action : qz::kAllPowerActions) {
        const auto reason = m_unavailable.constFind(action);
        actionButton(action)->setToolTip(
            reason == m_unavailable.cend()
                ? QString()
                : actionMessage(qz::MessageId::ActionUnavailable, action, *reason));
    }
}

QString TAnaform::armedNotice() const {
    // The armed task may wait for a password nobody is there to give.
    const qz::ScheduledTask& task = m_controller->task();
    if (!task.isArmed() || !task.asksAuthorisation())
        return {};
    return message(qz::MessageId::AuthorisationAsked).arg(actionInMessage(task.action()));
}

void TAnaform::showRefusal(const QString& text) {
    if (!text.isEmpty())
        m_deps.prompts->showError(this, QString::fromUtf8(qz::kRefusalTitle), text);
}

void TAnaform::taskFailed(qz::PowerAction action, const QString& error) {
    const QString text = actionMessage(qz::MessageId::ActionFailed, action, error);
    // The window may be in the tray: the notification is what is seen first.
    notifyOutcome(text);
    m_deps.prompts->showError(this, QString::fromUtf8(qz::kProgramTitle), text);
}

QString TAnaform::missedText(qz::PowerAction action, const QDateTime& dueTime) const {
    const QLocale locale(activeLanguage() == qz::kTurkish ? QLocale::Turkish : QLocale::English);
    return message(qz::MessageId::DeadlineMissed)
        .arg(actionInMessage(action), locale.toString(dueTime, QLocale::ShortFormat));
}

void TAnaform::taskMissed(qz::PowerAction action, const QDateTime& dueTime) {
    notifyOutcome(missedText(action, dueTime));
    showNotice([this, action, dueTime] { return missedText(action, dueTime); });
}

void TAnaform::notifyOutcome(const QString& text) {
    if (m_notifier)
        m_notifier->showReminder(QString::fromLatin1(kOutcomeNotification),
                                 QString::fromUtf8(qz::kProgramTitle), text);
}

void TAnaform::showNotice(std::function<QString()> compose) {
    // The bottom bar carries the notice in place of the web address until it is clicked
    // or the next task is armed.
    m_notice = std::move(compose);
    refreshNotice();
}

void TAnaform::refreshNotice() {
    const QString text = m_notice ? m_notice() : QString();
    lblNotice->setCaption(text);
    lblNotice->setVisible(!text.isEmpty());
    lblUrl->setVisible(text.isEmpty());
}
