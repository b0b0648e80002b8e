// The schedule handlers: action buttons, trigger radios, fields, the description, and the
// countdown from arming to carrying out the action.
#include "app/anaform.h"

#include "app/user_prompts.h"
#include "i18n/qz_lang.h"
#include "power/idle_time.h"
#include "power/power_executor.h"
#include "reminders/reminder_decision.h"
#include "reminders/reminders.h"
#include "schedule/clock.h"
#include "schedule/countdown_math.h"
#include "schedule/description.h"
#include "widgets/qz_button.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_label.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_style.h"
#include "widgets/qz_time_edit.h"

#include <QTimer>

#include <limits>

namespace {

// Title of the error box for a specified time in the past.
const char* const kPastTimeTitle = "QZ DuvoDoroRuruzovad";

int ringInt(quint32 value) {
    return static_cast<int>(qMin<quint32>(value, std::numeric_limits<int>::max()));
}

} // namespace

TqzButton* TAnaform::actionButton(qz::PowerAction action) const {
    switch (action) {
    case qz::PowerAction::Shutdown:
        return btnshutdown;
    case qz::PowerAction::Restart:
        return btnrestart;
    case qz::PowerAction::Lock:
        return btnLock;
    case qz::PowerAction::WaitReady:
        return btnwaitready;
    case qz::PowerAction::Sleep:
        return btnSleep;
    case qz::PowerAction::Signout:
        return btnSignout;
    }
    return nullptr;
}

TqzButton* TAnaform::actionButtonOfWord(std::string_view word) const {
    const auto action = qz::powerActionFromWord(
        QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
    return action ? actionButton(*action) : nullptr;
}

qz::PowerAction TAnaform::selectedAction() const {
    for (qz::PowerAction a : qz::kAllPowerActions)
        if (actionButton(a)->isDown())
            return a;
    return qz::PowerAction::Shutdown;
}

qz::TriggerMode TAnaform::selectedMode() const {
    if (radioBostaKalma->isChecked())
        return qz::TriggerMode::IdleTime;
    if (radioSuandanitibaren->isChecked())
        return qz::TriggerMode::FromNow;
    if (radioBelirtilenSaat->isChecked())
        return qz::TriggerMode::SpecifiedTime;
    return qz::TriggerMode::Everyday;
}

qz::ScheduleFields TAnaform::scheduleFields() const {
    qz::ScheduleFields f;
    f.fromNow = TimeeditSuandanitibaren->timeValue();
    f.specifiedDate = dateEditBelirtilenSure->date();
    f.specifiedTime = timeEditBelirtilenSure->timeValue();
    f.idle = qzTimeEdit3->timeValue();
    f.everyday = qzTimeEdit1->timeValue();
    return f;
}

void TAnaform::actionButtonClick() {
    closeSettingsPanel();
    UpdateDescription();
}

void TAnaform::radioSuandanitibarenClick() {
    closeSettingsPanel();
    const qz::TriggerMode mode = selectedMode();
    TimeeditSuandanitibaren->setEnabled(mode == qz::TriggerMode::FromNow);
    dateEditBelirtilenSure->setEnabled(mode == qz::TriggerMode::SpecifiedTime);
    timeEditBelirtilenSure->setEnabled(mode == qz::TriggerMode::SpecifiedTime);
    qzTimeEdit3->setEnabled(mode == qz::TriggerMode::IdleTime);
    qzTimeEdit1->setEnabled(mode == qz::TriggerMode::Everyday);
    UpdateDescription();
}

void TAnaform::fieldChange() {
    closeSettingsPanel();
    UpdateDescription();
}

void TAnaform::dateEditBelirtilenSureChange() {
    UpdateDescription();
}

void TAnaform::UpdateDescription() {
    qz::DescriptionInput in;
    in.action = selectedAction();
    in.mode = selectedMode();
    in.fields = scheduleFields();
    in.everydayText = qzTimeEdit1->time();
    in.language = qzLang1->activeLanguage();
    const auto d = qz::composeDescription(in);
    if (!d)
        return;
    const bool turkish = d->timeLabel == qz::ScheduleDescription::TimeLabel::Turkish;
    lblTarih->setVisible(turkish);
    lbltarihEn->setVisible(!turkish);
    lblBil->setCaption(d->subject);
    (turkish ? lblTarih : lbltarihEn)->setCaption(d->time);
    lblislem->setCaption(d->verb);
    layoutDescription();
}

void TAnaform::btnStartStopClick() {
    closeSettingsPanel();
    if (m_countdown.isArmed())
        disarm();
    else
        arm();
}

void TAnaform::arm() {
    const QDateTime now = m_deps.clock->now();
    switch (m_countdown.arm(selectedMode(), scheduleFields(), now)) {
    case qz::Countdown::ArmResult::NotInFuture:
        m_deps.prompts->showError(this, QString::fromUtf8(kPastTimeTitle), messageString("2"));
        return;
    case qz::Countdown::ArmResult::InvalidInput:
        return;
    case qz::Countdown::ArmResult::Armed:
        break;
    }
    setArmedLook(true);
    btnStartStop->setCaption(qz::startButtonCaption(true, activeLanguage()));
    setScheduleInputsEnabled(false);
    progress->setMaxValue(ringInt(m_countdown.ringMaximum()));
    progress->setValue(0);
    timerGorev->start();
}

void TAnaform::disarm() {
    m_countdown.disarm();
    setArmedLook(false);
    for (qz::PowerAction a : qz::kAllPowerActions)
        actionButton(a)->setEnabled(true);
    qzTimeEdit1->setEnabled(true);
    for (TqzRadioButton* r :
         {radiohergun, radioSuandanitibaren, radioBelirtilenSaat, radioBostaKalma})
        r->setEnabled(true);
    radioSuandanitibarenClick();
    timerGorev->stop();
    progress->setCaption(qz::remainingTimeTitle(activeLanguage()));
    progress->setValue(progress->maxValue());
    btnStartStop->setCaption(qz::startButtonCaption(false, activeLanguage()));
}

void TAnaform::setArmedLook(bool armed) {
    btnStartStop->setGlyphKind(armed ? TqzGlyphButton::qzbgkCancel : TqzGlyphButton::qzbgkOk);
    btnStartStop->setSolidLook(armed ? qz::kAccentOrange : qz::kBrandBlue);
}

void TAnaform::setScheduleInputsEnabled(bool enabled) {
    for (qz::PowerAction a : qz::kAllPowerActions)
        actionButton(a)->setEnabled(enabled);
    for (TqzRadioButton* r :
         {radioSuandanitibaren, radioBelirtilenSaat, radioBostaKalma, radiohergun})
        r->setEnabled(enabled);
    for (TqzTimeEdit* t :
         {TimeeditSuandanitibaren, timeEditBelirtilenSure, qzTimeEdit3, qzTimeEdit1})
        t->setEnabled(enabled);
    dateEditBelirtilenSure->setEnabled(enabled);
}

void TAnaform::showRing(quint32 maximum, quint32 value, const QString& caption) {
    progress->setMaxValue(ringInt(maximum));
    progress->setValue(ringInt(value));
    progress->setCaption(caption);
}

void TAnaform::timerGorevTimer() {
    // A failing tick is simply tried again a second later.
    try {
        const QDateTime now = m_deps.clock->now();
        std::optional<quint32> idle;
        if (m_countdown.mode() == qz::TriggerMode::IdleTime && m_deps.idle)
            idle = m_deps.idle->idleSeconds();
        const qz::Countdown::TickResult r = m_countdown.tick(now, idle, activeLanguage());
        switch (r.outcome) {
        case qz::Countdown::TickOutcome::NotArmed:
            timerGorev->stop();
            return;
        case qz::Countdown::TickOutcome::Running:
            showRing(r.ringMaximum, r.ringValue, r.ringCaption);
            return;
        case qz::Countdown::TickOutcome::Due:
            showRing(r.ringMaximum, r.ringValue, r.ringCaption);
            endOfCountdown(now);
            return;
        case qz::Countdown::TickOutcome::Missed:
            // Not carried out: the computer was asleep or the program stopped past the time.
            if (r.armed)
                showRing(r.ringMaximum, r.ringValue, r.ringCaption);
            else
                disarm();
            return;
        }
    } catch (...) {
    }
}

void TAnaform::endOfCountdown(const QDateTime& now) {
    setEverydayFlag(radiohergun->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    SaveSettings();
    if (m_deps.power) // a failed privilege step throws here and the next tick retries
        qz::carryOutAction(*m_deps.power, selectedAction());
    if (m_countdown.confirmCarriedOut(now))
        showRing(m_countdown.ringMaximum(), 0,
                 m_countdown.remainingTimeText(now, activeLanguage()));
    else
        disarm();
}

void TAnaform::timerBildirimTimer() {
    if (!m_reminders)
        return;
    // The task timer brought the countdown up to date in the same wake-up; the clock is read
    // only for a reminder's text, as local time costs a look at the time zone each time.
    m_reminders->tick(m_countdown.isArmed(), m_countdown.endMSecsSinceEpoch(),
                      m_countdown.remainingSpanMSecs(), [this] {
                          return qz::reminderBody(
                              messageString("3"),
                              m_countdown.remainingTimeText(m_deps.clock->now(), activeLanguage()));
                      });
}

void TAnaform::refreshArmedTexts() {
    // The table writes the idle captions; an armed task keeps its own.
    if (!m_countdown.isArmed())
        return;
    btnStartStop->setCaption(qz::startButtonCaption(true, activeLanguage()));
    progress->setCaption(m_countdown.remainingTimeText(m_deps.clock->now(), activeLanguage()));
}
