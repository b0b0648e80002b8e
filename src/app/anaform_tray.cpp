// What the user can do about the task without the window: the tray icon's menu and tip,
// and the choices a reminder offers.
#include "app/anaform.h"

#include "i18n/program_titles.h"
#include "reminders/notifier.h"
#include "tray/qz_tray_icon.h"

#include <QMenu>

namespace {

// A reminder's choices name the task that raised it: "postpone 3", "cancel 3".
const QString kPostpone = QStringLiteral("postpone");
const QString kCancel = QStringLiteral("cancel");

QString choiceKey(const QString& choice, quint64 taskId) {
    return choice + QLatin1Char(' ') + QString::number(taskId);
}

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
    m_postponeAction =
        m_trayMenu->addAction(QString(), m_controller, &qz::TaskController::postpone);
    m_cancelAction = m_trayMenu->addAction(QString(), this, &TAnaform::cancelTask);
    m_trayMenu->addSeparator();
    m_quitAction = m_trayMenu->addAction(QString(), this, &TAnaform::CloseButtonClick);
    connect(m_trayMenu, &QMenu::aboutToShow, this, &TAnaform::refreshTrayMenu);
    qzTrayIcon1->setMenu(m_trayMenu);
    if (m_notifier)
        m_notifier->setActionHandler([this](const QString& key) {
            const QString choice = key.section(QLatin1Char(' '), 0, 0);
            const quint64 taskId = key.section(QLatin1Char(' '), 1).toULongLong();
            if (choice == kPostpone)
                m_controller->postponeTask(taskId);
            else if (choice == kCancel)
                m_controller->cancelTask(taskId);
        });
    refreshTrayMenu();
}

void TAnaform::refreshTrayMenu() {
    m_showHideAction->setText(
        message(isVisible() && !isMinimized() ? qz::MessageId::TrayHide : qz::MessageId::TrayShow));
    m_postponeAction->setText(message(qz::MessageId::Postpone));
    m_cancelAction->setText(message(qz::MessageId::CancelTask));
    m_quitAction->setText(message(qz::MessageId::Quit));
    m_postponeAction->setVisible(task().canPostpone());
    m_cancelAction->setVisible(task().isArmed());
}

void TAnaform::refreshTrayTip() {
    QString tip = QString::fromUtf8(qz::kTrayTitle);
    if (task().isArmed())
        tip += QLatin1Char('\n') +
               message(qz::MessageId::DueAt)
                   .arg(actionCaption(task().action()),
                        task().countdown().endTime().toString(QStringLiteral("HH:mm")));
    qzTrayIcon1->setHint(tip);
}

QList<qz::NotifierAction> TAnaform::reminderActions() const {
    QList<qz::NotifierAction> actions;
    const quint64 taskId = m_controller->armedTaskId();
    if (task().canPostpone())
        actions.append({choiceKey(kPostpone, taskId), message(qz::MessageId::Postpone)});
    actions.append({choiceKey(kCancel, taskId), message(qz::MessageId::CancelTask)});
    return actions;
}

void TAnaform::cancelTask() {
    if (task().isArmed())
        btnStartStopClick(); // exactly as the Stop button
}
