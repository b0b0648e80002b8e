// The schedule handlers: action buttons, trigger radios, fields, the description, and the
// countdown from arming to carrying out the action.
#include "app/anaform.h"

#include "app/user_prompts.h"
#include "i18n/qz_lang.h"
#include "reminders/notifier.h"
#include "reminders/reminder_decision.h"
#include "schedule/countdown_math.h"
#include "schedule/description.h"
#include "schedule/scheduled_task.h"
#include "widgets/qz_button.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_label.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_style.h"
#include "widgets/qz_time_edit.h"

#include <limits>
#include <utility>

namespace {

int ringInt(quint32 value) {
    return static_cast<int>(qMin<quint32>(value, std::numeric_limits<int>::max()));
}

} // namespace

TqzButton* TAnaform::actionButton(qz::PowerAction action) const {
    return m_actionButtons[static_cast<std::size_t>(action)];
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
    SaveSettings(); // the action to re-arm at the next start is always the one shown
}

void TAnaform::radioSuandanitibarenClick() {
    applyTriggerMode();
    SaveSettings(); // checking "Everyday" stores its time and the logon start at once
}

void TAnaform::applyTriggerMode() {
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
    // Only the everyday field is enabled in the everyday mode; its time is stored at once.
    if (radiohergun->isChecked())
        SaveSettings();
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
    if (m_task->isArmed())
        m_task->stop();
    else
        arm();
}

void TAnaform::arm() {
    showRefusal(armSelected());
}

QString TAnaform::armSelected() {
    qz::Plan plan;
    plan.action = selectedAction();
    plan.mode = selectedMode();
    plan.fields = scheduleFields();
    return refusalText(m_task->arm(plan));
}

void TAnaform::taskArmedChanged(bool armed) {
    setArmedLook(armed);
    if (armed) {
        showNotice({});
        setScheduleInputsEnabled(false);
    } else {
        m_pendingProgress.reset(); // the ring shows the stopped look below
        for (qz::PowerAction a : qz::kAllPowerActions)
            actionButton(a)->setEnabled(!m_unavailable.contains(a));
        qzTimeEdit1->setEnabled(true);
        for (TqzRadioButton* r :
             {radiohergun, radioSuandanitibaren, radioBelirtilenSaat, radioBostaKalma})
            r->setEnabled(true);
        applyTriggerMode();
        progress->setCaption(qz::remainingTimeTitle(activeLanguage()));
        progress->setValue(progress->maxValue());
    }
    btnStartStop->setCaption(qz::startButtonCaption(armed, activeLanguage()));
    refreshTrayTip();
    SaveSettings(); // what the next start re-arms follows the task at once
}

void TAnaform::setArmedLook(bool armed) {
    btnStartStop->setGlyphKind(armed ? TqzGlyphButton::qzbgkCancel : TqzGlyphButton::qzbgkOk);
    btnStartStop->setSolidLook(armed ? qz::kAccentOrange : qz::kBrandBlue);
}

void TAnaform::setScheduleInputsEnabled(bool enabled) {
    for (qz::PowerAction a : qz::kAllPowerActions)
        actionButton(a)->setEnabled(enabled && !m_unavailable.contains(a));
    for (TqzRadioButton* r :
         {radioSuandanitibaren, radioBelirtilenSaat, radioBostaKalma, radiohergun})
        r->setEnabled(enabled);
    for (TqzTimeEdit* t :
         {TimeeditSuandanitibaren, timeEditBelirtilenSure, qzTimeEdit3, qzTimeEdit1})
        t->setEnabled(enabled);
    dateEditBelirtilenSure->setEnabled(enabled);
}

void TAnaform::taskProgressChanged(quint32 maximum, quint32 value, qint64 remainingSpanMSecs) {
    if (value == 0) // armed, armed again for the next day, or restarted: the due time moved
        refreshTrayTip();
    m_pendingProgress = RingProgress{maximum, value, remainingSpanMSecs};
    if (!m_shown || isVisible())
        showPendingProgress();
}

void TAnaform::showPendingProgress() {
    if (!m_pendingProgress)
        return;
    const RingProgress p = *std::exchange(m_pendingProgress, std::nullopt);
    progress->setMaxValue(ringInt(p.maximum));
    progress->setValue(ringInt(p.value));
    progress->setCaption(qz::remainingTimeText(p.remainingSpanMSecs, activeLanguage()));
}

void TAnaform::timerGorevTimer() {
    m_task->timerGorevTimer();
}

void TAnaform::timerBildirimTimer() {
    m_task->timerBildirimTimer();
}

void TAnaform::showReminder(qint64 remainingSpanMSecs) {
    if (!m_notifier)
        return;
    m_notifier->showReminder(
        qz::reminderName(), qz::reminderTitle(),
        qz::reminderBody(message(qz::MessageId::TimeToComplete),
                         qz::remainingTimeText(remainingSpanMSecs, activeLanguage())),
        reminderActions());
}

void TAnaform::refreshArmedTexts() {
    // The table writes the idle captions; an armed task keeps its own.
    if (!m_task->isArmed())
        return;
    btnStartStop->setCaption(qz::startButtonCaption(true, activeLanguage()));
    progress->setCaption(qz::remainingTimeText(m_task->refreshRemainingSpan(), activeLanguage()));
}
