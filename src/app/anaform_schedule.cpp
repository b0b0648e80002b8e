// The schedule handlers: action buttons, trigger radios, fields, the description, and the
// countdown from arming to carrying out the action.
#include "app/anaform.h"
#include "app/anaform_rows.h"

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

#include <QSignalBlocker>

#include <limits>
#include <utility>
#include <vector>

namespace {

int ringInt(quint32 value) {
    return static_cast<int>(qMin<quint32>(value, std::numeric_limits<int>::max()));
}

} // namespace

TqzButton* TAnaform::actionButton(qz::PowerAction action) const {
    return m_actionButtons[static_cast<std::size_t>(action)];
}

qz::PowerAction TAnaform::selectedAction() const {
    for (qz::PowerAction a : qz::kAllPowerActions)
        if (actionButton(a)->isDown())
            return a;
    return qz::PowerAction::Shutdown;
}

TqzRadioButton* TAnaform::radioOf(qz::TriggerMode mode) const {
    return m_triggerRadios[static_cast<std::size_t>(mode)];
}

QList<QWidget*> TAnaform::fieldsOf(qz::TriggerMode mode) const {
    namespace rows = qz::window_rows;
    QList<QWidget*> fields;
    if (mode == rows::kDateFieldMode)
        fields.append(dateEditBelirtilenSure);
    for (std::size_t i = 0; i < rows::kTimeFields.size(); ++i) {
        if (rows::kTimeFields[i].mode == mode)
            fields.append(m_timeFields[i]);
    }
    return fields;
}

TqzTimeEdit* TAnaform::timeField(QTime qz::ScheduleFields::*value) const {
    for (std::size_t i = 0; i < qz::window_rows::kTimeFields.size(); ++i) {
        if (qz::window_rows::kTimeFields[i].value == value)
            return m_timeFields[i];
    }
    return nullptr;
}

qz::TriggerMode TAnaform::selectedMode() const {
    for (qz::TriggerMode mode : qz::kAllTriggerModes)
        if (radioOf(mode)->isChecked())
            return mode;
    return qz::TriggerMode::Everyday;
}

qz::ScheduleFields TAnaform::scheduleFields() const {
    qz::ScheduleFields f;
    for (std::size_t i = 0; i < qz::window_rows::kTimeFields.size(); ++i)
        f.*qz::window_rows::kTimeFields[i].value = m_timeFields[i]->timeValue();
    f.specifiedDate = dateEditBelirtilenSure->date();
    return f;
}

void TAnaform::actionButtonClick() {
    closeSettingsPanel();
    planEdited();
    UpdateDescription();
}

void TAnaform::radioSuandanitibarenClick() {
    applyTriggerMode();
    planEdited();
}

void TAnaform::applyTriggerMode() {
    closeSettingsPanel();
    showTriggerFields();
    UpdateDescription();
}

void TAnaform::showTriggerFields() {
    const qz::TriggerMode mode = selectedMode();
    const bool editable = !m_controller->task().isArmed();
    for (qz::TriggerMode each : qz::kAllTriggerModes) {
        for (QWidget* field : fieldsOf(each))
            field->setEnabled(editable && each == mode);
    }
}

void TAnaform::fieldChange() {
    closeSettingsPanel();
    planEdited();
    UpdateDescription();
}

void TAnaform::dateEditBelirtilenSureChange() {
    planEdited();
    UpdateDescription();
}

qz::Plan TAnaform::shownPlan() const {
    qz::Plan plan;
    plan.action = selectedAction();
    plan.mode = selectedMode();
    plan.fields = scheduleFields();
    return plan;
}

void TAnaform::planEdited() {
    m_controller->editPlan(shownPlan());
}

void TAnaform::showPlan(const qz::Plan& plan) {
    // A plan from elsewhere (a request, a postpone) changes the schedule area as the user's
    // own change does: the settings panel closes over it.
    if (!(plan == shownPlan()))
        closeSettingsPanel();
    // Shown as it is, without the handlers a user's change runs: they would send it back.
    {
        const QSignalBlocker quiet(actionButton(plan.action));
        actionButton(plan.action)->setDown(true);
    }
    radioOf(plan.mode)->setChecked(true);
    const qz::ScheduleFields& f = plan.fields;
    std::vector<QSignalBlocker> quiet;
    for (qz::TriggerMode mode : qz::kAllTriggerModes) {
        for (QWidget* field : fieldsOf(mode))
            quiet.emplace_back(field);
    }
    for (std::size_t i = 0; i < qz::window_rows::kTimeFields.size(); ++i)
        m_timeFields[i]->setTimeValue(f.*qz::window_rows::kTimeFields[i].value);
    if (f.specifiedDate.isValid())
        dateEditBelirtilenSure->setDate(f.specifiedDate);
    quiet.clear();
    showTriggerFields();
    UpdateDescription();
    refreshTrayTip();
}

void TAnaform::UpdateDescription() {
    const qz::Plan shown = shownPlan();
    qz::DescriptionInput in;
    in.action = shown.action;
    in.mode = shown.mode;
    in.fields = shown.fields;
    in.everydayText = timeField(&qz::ScheduleFields::everyday)->time();
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
    if (m_controller->task().isArmed())
        m_controller->stop();
    else
        showRefusal(refusalText(m_controller->start(), selectedAction()));
}

void TAnaform::taskArmedChanged(bool armed) {
    setArmedLook(armed);
    if (armed) {
        showNotice([this] { return armedNotice(); });
        setScheduleInputsEnabled(false);
    } else {
        m_pendingProgress.reset(); // the ring shows the stopped look below
        setScheduleInputsEnabled(true);
        applyTriggerMode(); // then only the chosen trigger's fields stay enabled
        refreshNotice();    // a word about the armed task no longer holds
        progress->setCaption(qz::remainingTimeTitle(activeLanguage()));
        progress->setValue(progress->maxValue());
    }
    btnStartStop->setCaption(qz::startButtonCaption(armed, activeLanguage()));
    refreshTrayTip();
}

void TAnaform::setArmedLook(bool armed) {
    btnStartStop->setGlyphKind(armed ? TqzGlyphButton::qzbgkCancel : TqzGlyphButton::qzbgkOk);
    btnStartStop->setSolidLook(armed ? qz::kAccentOrange : qz::kBrandBlue);
}

void TAnaform::setScheduleInputsEnabled(bool enabled) {
    setActionButtonsEnabled(enabled);
    for (qz::TriggerMode mode : qz::kAllTriggerModes) {
        radioOf(mode)->setEnabled(enabled);
        for (QWidget* field : fieldsOf(mode))
            field->setEnabled(enabled);
    }
}

void TAnaform::setActionButtonsEnabled(bool enabled) {
    // An action the system says it cannot do stays unavailable.
    for (qz::PowerAction a : qz::kAllPowerActions)
        actionButton(a)->setEnabled(enabled && !m_unavailable.contains(a));
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
    m_controller->task().timerGorevTimer();
}

void TAnaform::timerBildirimTimer() {
    m_controller->task().timerBildirimTimer();
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
    qz::ScheduledTask& task = m_controller->task();
    if (!task.isArmed())
        return;
    btnStartStop->setCaption(qz::startButtonCaption(true, activeLanguage()));
    progress->setCaption(qz::remainingTimeText(task.refreshRemainingSpan(), activeLanguage()));
}
