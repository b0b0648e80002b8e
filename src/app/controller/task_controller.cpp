#include "app/controller/task_controller.h"

#include "schedule/countdown_math.h"
#include "schedule/date_time.h"

#include <QTime>

namespace qz {

namespace {

QString everydayTimeText(const Plan& plan) {
    return plan.fields.everyday.toString(QStringLiteral("HH:mm"));
}

} // namespace

TaskController::TaskController(const Clock& clock, PowerBackend* power, IdleTime* idle,
                               std::unique_ptr<SettingsStore> store, QObject* parent)
    : QObject(parent), m_store(std::move(store)),
      m_task(new ScheduledTask(clock, power, idle, this)) {
    m_plan.fields.specifiedDate = clock.now().date();
    m_plan.fields.specifiedTime = nextFullHour(clock.now());
    connect(m_task, &ScheduledTask::armedChanged, this, &TaskController::taskArmedChanged);
    connect(m_task, &ScheduledTask::postponed, this, &TaskController::taskPostponed);
    // The last moment to store what the next start re-arms.
    connect(m_task, &ScheduledTask::aboutToCarryOut, this, &TaskController::save);
}

bool TaskController::switchOn(SettingsSwitch which) const {
    switch (which) {
    case SettingsSwitch::Notifications:
        return m_notifications;
    case SettingsSwitch::StayOnTop:
        return m_stayOnTop;
    case SettingsSwitch::RunAtStartup:
        break;
    }
    return m_runAtStartup;
}

QString TaskController::everydayFlag() const {
    if (m_rearmDecided)
        return m_task->everydayFlag();
    return QString::fromStdString(m_loadedEverydayFlag);
}

void TaskController::create(int defaultLanguage) {
    if (m_store) {
        const StoredSettings stored = m_store->load();
        m_loadedEverydayFlag = stored.everydayFlag;
        m_savedEverydayTime = stored.savedEverydayTime;
        if (stored.complete) {
            // The switches' saves are held until all is applied: a save in the middle would
            // store the switches not yet set and the language not yet chosen, and a crash
            // before the next save would lose them.
            m_loading = true;
            m_saveHeld = false;
            if (stored.action) {
                m_storedActionRead = true;
                if (*stored.action != m_plan.action) {
                    m_plan.action = *stored.action;
                    Q_EMIT planChanged(m_plan);
                }
            }
            setSwitch(SettingsSwitch::StayOnTop, stored.stayOnTop);
            setSwitch(SettingsSwitch::RunAtStartup, stored.runAtStartup);
            setSwitch(SettingsSwitch::Notifications, stored.notifications);
            m_language = stored.language != 0 ? stored.language : defaultLanguage;
            Q_EMIT languageChanged(m_language);
            m_loading = false;
            if (m_saveHeld)
                save();
        }
    }
    Q_EMIT planChanged(m_plan);
}

ArmResult TaskController::show() {
    m_task->setRemindersEnabled(m_notifications);
    // A refused logon entry is told and the start goes on: the stored task must still be
    // armed and the settings kept.
    applyRunAtStartup();
    // Re-arm the everyday task only with a time and an action that read as such: a damaged
    // setting must not turn into a midnight task, or into a shutdown, the user never set.
    const QTime savedTime = readTime(QString::fromStdString(m_savedEverydayTime));
    const bool rearm = m_loadedEverydayFlag == "1" && m_storedActionRead && savedTime.isValid();
    m_rearmDecided = true;
    if (rearm) {
        m_plan.mode = TriggerMode::Everyday;
        m_plan.fields.everyday = savedTime;
        Q_EMIT planChanged(m_plan);
        return start();
    }
    m_plan.action = PowerAction::Shutdown;
    m_plan.mode = TriggerMode::FromNow;
    Q_EMIT planChanged(m_plan);
    save();
    return ArmResult::Armed;
}

void TaskController::close() {
    m_task->setRemindersEnabled(false);
    saveAt(SaveMoment::End);
}

void TaskController::editPlan(const Plan& plan) {
    if (m_task->isArmed() || plan == m_plan)
        return; // an armed task's inputs are not to be changed
    // The action and the trigger are stored at once; of the fields only the everyday time
    // is, as the next start may re-arm it.
    const bool stored =
        plan.action != m_plan.action || plan.mode != m_plan.mode ||
        (plan.mode == TriggerMode::Everyday && plan.fields.everyday != m_plan.fields.everyday);
    m_plan = plan;
    if (stored)
        save();
}

void TaskController::setSwitch(SettingsSwitch which, bool on) {
    if (switchOn(which) == on)
        return;
    switch (which) {
    case SettingsSwitch::Notifications:
        m_notifications = on;
        m_task->setRemindersEnabled(on);
        break;
    case SettingsSwitch::StayOnTop:
        m_stayOnTop = on;
        break;
    case SettingsSwitch::RunAtStartup:
        m_runAtStartup = on;
        if (on || !m_store)
            applyRunAtStartup();
        else if (!m_store->UnregisterRunAtStartup() && !m_loading)
            // Turned off by the user, but the entry stays: the program would start at the
            // next logon all the same.
            Q_EMIT logonEntryNotRemoved();
        break;
    }
    Q_EMIT switchChanged(which, on);
    save();
}

void TaskController::setLanguage(int language) {
    if (language == m_language)
        return;
    m_language = language;
    Q_EMIT languageChanged(language);
    save();
}

void TaskController::applyRunAtStartup() {
    if (!m_store)
        return;
    if (m_runAtStartup)
        registerLogonStart();
    else
        m_store->UnregisterRunAtStartup();
}

void TaskController::registerLogonStart() {
    try {
        m_store->RegisterRunAtStartup();
        m_logonFailureTold.clear();
    } catch (const RunAtStartupError& e) {
        const QString reason = QString::fromUtf8(e.what());
        if (reason != m_logonFailureTold) {
            m_logonFailureTold = reason;
            Q_EMIT logonEntryFailed(reason);
        }
    }
}

void TaskController::save() {
    saveAt(SaveMoment::Choice);
}

void TaskController::saveAt(SaveMoment moment) {
    if (!m_store)
        return;
    if (m_loading) {
        m_saveHeld = true;
        return;
    }
    // An everyday task needs the program started at logon to be armed again there: an armed
    // one registers it, and so does "Everyday" chosen when the program ends. A passing
    // choice registers nothing.
    const bool everyday = m_plan.mode == TriggerMode::Everyday;
    const bool registers = everyday && (m_task->isArmed() || moment == SaveMoment::End);
    SettingsRecord record;
    record.notifications = m_notifications;
    record.stayOnTop = m_stayOnTop;
    record.runAtStartup = m_runAtStartup || registers;
    record.everydayFlag = everydayFlag().toStdString();
    if (everyday)
        record.everydayTime = everydayTimeText(m_plan).toStdString();
    record.action = m_plan.action;
    record.language = m_language;
    if (!m_store->save(record)) {
        if (!m_saveFailureTold) {
            m_saveFailureTold = true;
            Q_EMIT saveFailed();
        }
        return;
    }
    m_saveFailureTold = false;
    // The entry comes after the record, so its failure never costs a stored value; the switch
    // shows what was stored.
    if (registers) {
        if (!m_runAtStartup) {
            m_runAtStartup = true;
            Q_EMIT switchChanged(SettingsSwitch::RunAtStartup, true);
        }
        registerLogonStart();
    }
}

ArmResult TaskController::start() {
    return armPlan(m_plan);
}

ArmResult TaskController::armRequest(PowerAction action, TriggerMode mode, const QString& value) {
    if (m_task->isArmed())
        return ArmResult::AlreadyArmed;
    const PlanRequest request = planFromRequest(m_plan, action, mode, value);
    switch (request.result) {
    case PlanRequestResult::Read:
        break;
    case PlanRequestResult::ImpossibleDate:
        return ArmResult::ImpossibleDate;
    case PlanRequestResult::Unreadable:
        return ArmResult::Unreadable;
    }
    return armPlan(request.plan);
}

ArmResult TaskController::armPlan(const Plan& plan) {
    if (m_task->isArmed())
        return ArmResult::AlreadyArmed;
    // The plan is the task's from the moment it is armed, so the save that follows arming
    // stores it; a refused one leaves the plan shown as it was.
    const Plan shown = m_plan;
    m_plan = plan;
    const ArmResult result = m_task->arm(plan);
    if (result != ArmResult::Armed)
        m_plan = shown;
    else if (!(plan == shown))
        Q_EMIT planChanged(m_plan);
    return result;
}

void TaskController::stop() {
    m_task->stop();
}

bool TaskController::postpone() {
    return m_task->postpone();
}

quint64 TaskController::armedTaskId() const {
    return m_task->isArmed() ? m_taskId : 0;
}

void TaskController::postponeTask(quint64 id) {
    if (id != 0 && id == armedTaskId())
        postpone();
}

void TaskController::cancelTask(quint64 id) {
    if (id != 0 && id == armedTaskId())
        stop();
}

void TaskController::taskArmedChanged(bool armed) {
    if (armed)
        ++m_taskId;
    save(); // what the next start re-arms follows the task at once
}

void TaskController::taskPostponed(const QDateTime& dueTime) {
    // The plan follows the new end where it names it.
    switch (m_plan.mode) {
    case TriggerMode::FromNow: {
        const qint64 longer =
            m_plan.fields.fromNow.msecsSinceStartOfDay() + ScheduledTask::kPostponeMSecs;
        if (longer < kMSecsPerDay)
            m_plan.fields.fromNow = QTime::fromMSecsSinceStartOfDay(int(longer));
        break;
    }
    case TriggerMode::SpecifiedTime:
        m_plan.fields.specifiedDate = dueTime.date();
        m_plan.fields.specifiedTime = QTime(dueTime.time().hour(), dueTime.time().minute());
        break;
    case TriggerMode::IdleTime:
    case TriggerMode::Everyday:
        break;
    }
    Q_EMIT planChanged(m_plan);
}

} // namespace qz
