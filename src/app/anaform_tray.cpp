// What the user can do about the task without the window: the tray icon's menu and tip,
// and the choices a reminder offers.
#include "app/anaform.h"

#include "i18n/program_titles.h"
#include "reminders/notifier.h"
#include "schedule/date_time.h"
#include "tray/qz_tray_icon.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_time_edit.h"

#include <QMenu>

namespace {

const QString kPostpone = QStringLiteral("postpone");
const QString kCancel = QStringLiteral("cancel");

} // namespace

void TAnaform::createTrayMenu() {
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("trayMenu"));
    m_showHideAction = m_trayMenu->addAction(QString(), this, [this] {
        if (isVisible() && !isMinimized())
            qzGlyphButton1Click();
        else
            bringToFront();
    });
    m_postponeAction = m_trayMenu->addAction(QString(), this, &TAnaform::postponeTask);
    m_cancelAction = m_trayMenu->addAction(QString(), this, &TAnaform::cancelTask);
    m_trayMenu->addSeparator();
    m_quitAction = m_trayMenu->addAction(QString(), this, &TAnaform::CloseButtonClick);
    connect(m_trayMenu, &QMenu::aboutToShow, this, &TAnaform::refreshTrayMenu);
    qzTrayIcon1->setMenu(m_trayMenu);
    if (m_notifier)
        m_notifier->setActionHandler([this](const QString& key) {
            if (key == kPostpone)
                postponeTask();
            else if (key == kCancel)
                cancelTask();
        });
    refreshTrayMenu();
}

void TAnaform::refreshTrayMenu() {
    m_showHideAction->setText(
        message(isVisible() && !isMinimized() ? qz::MessageId::TrayHide : qz::MessageId::TrayShow));
    m_postponeAction->setText(message(qz::MessageId::Postpone));
    m_cancelAction->setText(message(qz::MessageId::CancelTask));
    m_quitAction->setText(message(qz::MessageId::Quit));
    m_postponeAction->setVisible(m_task->canPostpone());
    m_cancelAction->setVisible(m_task->isArmed());
}

void TAnaform::refreshTrayTip() {
    QString tip = QString::fromUtf8(qz::kTrayTitle);
    if (m_task->isArmed())
        tip += QLatin1Char('\n') +
               message(qz::MessageId::DueAt)
                   .arg(actionCaption(m_task->action()),
                        m_task->countdown().endTime().toString(QStringLiteral("HH:mm")));
    qzTrayIcon1->setHint(tip);
}

QList<qz::NotifierAction> TAnaform::reminderActions() const {
    QList<qz::NotifierAction> actions;
    if (m_task->canPostpone())
        actions.append({kPostpone, message(qz::MessageId::Postpone)});
    actions.append({kCancel, message(qz::MessageId::CancelTask)});
    return actions;
}

void TAnaform::postponeTask() {
    if (!m_task->postpone())
        return;
    // The sentence follows the new end where it names it.
    const QDateTime end = m_task->countdown().endTime();
    switch (m_task->mode()) {
    case qz::TriggerMode::FromNow: {
        const qint64 longer = TimeeditSuandanitibaren->timeValue().msecsSinceStartOfDay() +
                              qz::ScheduledTask::kPostponeMSecs;
        if (longer < qz::kMSecsPerDay)
            TimeeditSuandanitibaren->setTimeValue(QTime::fromMSecsSinceStartOfDay(int(longer)));
        break;
    }
    case qz::TriggerMode::SpecifiedTime:
        dateEditBelirtilenSure->setDate(end.date());
        timeEditBelirtilenSure->setTimeValue(QTime(end.time().hour(), end.time().minute()));
        break;
    case qz::TriggerMode::IdleTime:
    case qz::TriggerMode::Everyday:
        break;
    }
    UpdateDescription();
    refreshTrayTip();
}

void TAnaform::cancelTask() {
    if (m_task->isArmed())
        btnStartStopClick(); // exactly as the Stop button
}
