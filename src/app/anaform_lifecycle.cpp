// Creation, first show and destruction of the window, and how it shows what the controller says.
#include "app/anaform.h"

#include "app/process/guarded_application.h"
#include "app/user_prompts.h"
#include "i18n/language_choice.h"
#include "i18n/qz_lang.h"
#include "update/update_task.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_switch.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>

namespace {

constexpr int kVersionCheckDelayMSecs = 1500;

} // namespace

void TAnaform::FormCreate() {
    // The controller applies the stored settings and the day's defaults; the window shows
    // them as it is told.
    qz::runGuarded(*m_deps.prompts, this, [this] { m_controller->create(defaultLanguage()); });
}

void TAnaform::setVisible(bool visible) {
    if (visible && !m_shown) {
        // Runs once, before the window is centred and becomes visible.
        m_shown = true;
        FormShow();
        if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
            move(s->availableGeometry().center() - rect().center());
    }
    QWidget::setVisible(visible);
    if (visible)
        showPendingProgress();
    if (visible && !m_versionCheckStarted && m_deps.makeUpdater) {
        // The version check runs beside the window, in a worker process started a moment
        // after the window is on the screen: starting a second process at once would take
        // a core from the window's first appearance.
        m_versionCheckStarted = true;
        QTimer::singleShot(kVersionCheckDelayMSecs, this, [this] {
            qz::runGuarded(*m_deps.prompts, this, [this] {
                m_updater = m_deps.makeUpdater(*this);
                if (m_updater)
                    m_updater->start();
            });
        });
    }
}

void TAnaform::FormShow() {
    qz::runGuarded(*m_deps.prompts, this, [this] {
        applyStayOnTop(m_controller->switchOn(qz::SettingsSwitch::StayOnTop));
        // Which actions this system can do is asked once the window is up: the answers
        // take round trips the first appearance need not wait for.
        QTimer::singleShot(1000, this, &TAnaform::markUnavailableActions);
        const qz::ArmResult rearmed = m_controller->show();
        radioOf(selectedMode())->setFocus();
        // A stored task the system can no longer carry out is not dropped without a word.
        showRefusal(refusalText(rearmed, selectedAction()));
    });
}

void TAnaform::FormDestroy() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_updater.reset();
    qz::runGuarded(*m_deps.prompts, this, [this] { m_controller->close(); });
}

// --- What the controller says

void TAnaform::connectController() {
    qz::TaskController* c = m_controller;
    connect(c, &qz::TaskController::planChanged, this, &TAnaform::showPlan);
    connect(c, &qz::TaskController::switchChanged, this, &TAnaform::showSwitch);
    connect(c, &qz::TaskController::languageChanged, this, &TAnaform::showLanguage);
    connect(c, &qz::TaskController::logonEntryFailed, this, &TAnaform::reportError);
    connect(c, &qz::TaskController::logonEntryNotRemoved, this,
            [this] { reportError(message(qz::MessageId::LogonEntryNotRemoved)); });
    connect(c, &qz::TaskController::saveFailed, this, &TAnaform::reportSaveFailure);
    const qz::ScheduledTask* t = &c->task();
    connect(t, &qz::ScheduledTask::armedChanged, this, &TAnaform::taskArmedChanged);
    connect(t, &qz::ScheduledTask::progressChanged, this, &TAnaform::taskProgressChanged);
    connect(t, &qz::ScheduledTask::reminderDue, this, &TAnaform::showReminder);
    connect(t, &qz::ScheduledTask::failed, this, &TAnaform::taskFailed);
    connect(t, &qz::ScheduledTask::missed, this, &TAnaform::taskMissed);
}

TqzSwitch* TAnaform::settingsSwitch(qz::SettingsSwitch which) const {
    switch (which) {
    case qz::SettingsSwitch::Notifications:
        return swBildirim;
    case qz::SettingsSwitch::StayOnTop:
        return swUstte;
    case qz::SettingsSwitch::RunAtStartup:
        break;
    }
    return swBaslangic;
}

void TAnaform::showSwitch(qz::SettingsSwitch which, bool on) {
    {
        const QSignalBlocker quiet(settingsSwitch(which));
        settingsSwitch(which)->setOn(on);
    }
    if (which == qz::SettingsSwitch::StayOnTop)
        applyStayOnTop(on);
}

void TAnaform::showLanguage(int language) {
    qzLang1->setActiveLanguage(language);
    {
        const QSignalBlocker quiet(cmbDil);
        cmbDil->setItemIndex(language - 1);
    }
    UpdateDescription();
    refreshArmedTexts();
    refreshNotice();
    refreshUnavailableTips();
    refreshTrayTip();
}

void TAnaform::reportError(const QString& text) {
    // Not at the very end: a box then would hold up the end of the session.
    if (!m_destroyed)
        m_deps.prompts->showError(this, QString::fromUtf8(qz::kProgramTitle), text);
}

void TAnaform::reportSaveFailure() {
    const QString text = message(qz::MessageId::SettingsNotSaved);
    // The window may be in the tray: the notification is what is seen first.
    notifyOutcome(text);
    reportError(text);
}

int TAnaform::defaultLanguage() const {
    if (m_deps.systemLocaleName)
        return qz::defaultLanguage(QLocale(m_deps.systemLocaleName()));
    return qz::defaultLanguage();
}

QString TAnaform::message(qz::MessageId id) const {
    return messageString(qz::messageKey(id));
}
