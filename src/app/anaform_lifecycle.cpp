// Creation, first show and destruction of the window, and what the settings store needs from it.
#include "app/anaform.h"

#include "app/process/guarded_application.h"
#include "app/user_prompts.h"
#include "i18n/language_choice.h"
#include "i18n/qz_lang.h"
#include "schedule/clock.h"
#include "schedule/countdown_math.h"
#include "settings/settings_store.h"
#include "tray/qz_tray_icon.h"
#include "update/update_task.h"
#include "widgets/qz_button.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_switch.h"
#include "widgets/qz_time_edit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>

namespace {

constexpr int kVersionCheckDelayMSecs = 1500;

} // namespace

void TAnaform::FormCreate() {
    qz::runGuarded(*m_deps.prompts, this, [this] {
        if (m_settings)
            m_settings->LoadSettings(*this);
        applyTriggerMode();
        const QDateTime now = m_deps.clock->now();
        dateEditBelirtilenSure->setDate(now.date());
        timeEditBelirtilenSure->setTimeValue(qz::nextFullHour(now));
        UpdateDescription();
    });
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
        applyStayOnTop(swUstte->isOn());
        m_task->setRemindersEnabled(swBildirim->isOn());
        // A refused logon entry is reported and the start goes on: the stored task must
        // still be armed and the settings kept.
        if (m_settings)
            m_settings->applyRunAtStartup(*this);

        // Re-arm the everyday task only with a time and an action that read as such: a
        // damaged setting must not turn into a midnight task, or into a shutdown, the user
        // never set.
        const QString savedTime =
            m_settings ? QString::fromStdString(m_settings->savedEverydayTime()) : QString();
        const bool rearm = everydayFlag() == QLatin1String("1") && m_storedActionRead &&
                           QTime::fromString(savedTime, QStringLiteral("HH:mm")).isValid();
        // Which actions this system can do is asked once the window is up: the answers
        // take round trips the first appearance need not wait for.
        QTimer::singleShot(1000, this, &TAnaform::markUnavailableActions);
        m_rearmDecided = true;
        if (rearm) {
            qzTimeEdit1->setTime(savedTime);
            radiohergun->setChecked(true);
            radiohergun->setFocus();
            btnStartStopClick();
            // The sentence follows the everyday task it now describes.
            UpdateDescription();
        } else {
            btnshutdown->setDown(true);
            radioSuandanitibaren->setChecked(true);
            radioSuandanitibaren->setFocus();
            SaveSettings();
        }
    });
}

void TAnaform::FormDestroy() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_task->setRemindersEnabled(false);
    m_updater.reset();
    qz::runGuarded(*m_deps.prompts, this, [this] { SaveSettings(); });
}

void TAnaform::SaveSettings() {
    if (!m_settings)
        return;
    // Until the start-up has re-armed the stored task (or decided not to), the flag stays
    // as loaded; from then on it follows the task.
    if (m_rearmDecided)
        m_settings->setEverydayFlag(m_task->everydayFlag().toStdString());
    m_settings->SaveSettings(*this);
}

// The store keeps the flag between its load and its saves.
QString TAnaform::everydayFlag() const {
    if (m_rearmDecided || !m_settings)
        return m_task->everydayFlag();
    return QString::fromStdString(m_settings->everydayFlag());
}

// --- qz::SettingsTarget

void TAnaform::pressActionButton(std::string_view word) {
    if (TqzButton* b = actionButtonOfWord(word)) {
        m_storedActionRead = true;
        b->setDown(true);
    }
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

void TAnaform::setSwitch(qz::SettingsSwitch which, bool on) {
    settingsSwitch(which)->setOn(on);
}

void TAnaform::showSwitchState(qz::SettingsSwitch which, bool on) {
    const QSignalBlocker quiet(settingsSwitch(which));
    settingsSwitch(which)->setOn(on);
}

void TAnaform::reportError(const std::string& text) {
    // Not at the very end: a box then would hold up the end of the session.
    if (!m_destroyed)
        m_deps.prompts->showError(this, QString::fromUtf8(qz::kProgramTitle),
                                  QString::fromStdString(text));
}

int TAnaform::defaultLanguage() const {
    if (m_deps.systemLocaleName)
        return qz::defaultLanguage(QLocale(m_deps.systemLocaleName()));
    return qz::defaultLanguage();
}

void TAnaform::applyLanguage(int language) {
    qzLang1->setActiveLanguage(language);
    cmbDil->setItemIndex(language - 1);
}

bool TAnaform::switchOn(qz::SettingsSwitch which) const {
    return settingsSwitch(which)->isOn();
}

int TAnaform::selectedLanguageIndex() const {
    return cmbDil->itemIndex();
}

bool TAnaform::actionButtonDown(std::string_view word) const {
    const TqzButton* b = actionButtonOfWord(word);
    return b && b->isDown();
}

bool TAnaform::everydayChecked() const {
    return radiohergun->isChecked();
}

std::string TAnaform::everydayTimeText() const {
    return qzTimeEdit1->time().toStdString();
}

QString TAnaform::message(qz::MessageId id) const {
    return messageString(qz::messageKey(id));
}
