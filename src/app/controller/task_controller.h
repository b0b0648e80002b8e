#pragma once

#include "schedule/plan.h"
#include "schedule/scheduled_task.h"
#include "settings/settings_store.h"

#include <QObject>
#include <QString>

#include <memory>

namespace qz {

class Clock;
class IdleTime;
class PowerBackend;

// The three switches of the settings panel.
enum class SettingsSwitch {
    Notifications, // swBildirim
    StayOnTop,     // swUstte
    RunAtStartup,  // swBaslangic
};

// The owner of the task and of what the user set up: the plan, the three switches, the
// language and their saves. The window, the tray menu, the reminders and other copies of the
// program send it plans and commands; the window shows what its signals say. Widget-free.
//
// Saves: at every choice (plan, switch, language), when a task is armed or ends, just before
// an action is carried out, and at the end of the program. Only an everyday task that is
// armed, or "Everyday" chosen at the end of the program, registers the start at logon.
class TaskController : public QObject {
    Q_OBJECT

public:
    // power, idle and store may be null: no power call, no idle time, nothing stored.
    TaskController(const Clock& clock, PowerBackend* power, IdleTime* idle,
                   std::unique_ptr<SettingsStore> store, QObject* parent = nullptr);

    ScheduledTask& task() const { return *m_task; }
    const Plan& plan() const { return m_plan; }
    bool switchOn(SettingsSwitch which) const;
    int language() const { return m_language; }
    // The everyday flag as it will be saved: as loaded until the start-up has decided on
    // re-arming, from then on "1" exactly while an everyday task is armed.
    QString everydayFlag() const;

    // Creation: applies the stored settings in their order (the action, the switches
    // swUstte, swBaslangic, swBildirim with their effects, the language, then one save for
    // the switches' saves held meanwhile); the plan, with today's next full hour as its
    // specified time, is then shown. defaultLanguage: the language when none is stored.
    void create(int defaultLanguage);
    // First show: reminders and the logon entry follow their switches, then the stored
    // everyday task is armed again, or shutdown and "From Now" are offered. Gives the
    // re-arm's result, Armed also when there was nothing to re-arm.
    ArmResult show();
    // The end of the program: the last save.
    void close();

    // The user's choices, each saved at once.
    void editPlan(const Plan& plan);
    void setSwitch(SettingsSwitch which, bool on);
    void setLanguage(int language);
    void save();

    // Commands, from every source. start() arms the plan; armRequest() arms a plan read from
    // a request, which becomes the plan only once it is armed.
    ArmResult start();
    ArmResult armRequest(PowerAction action, TriggerMode mode, const QString& value);
    void stop();
    bool postpone();

    // The armed task's identity, 0 while none is armed: a reminder's choices act only on
    // the task that raised them.
    quint64 armedTaskId() const;
    void postponeTask(quint64 id);
    void cancelTask(quint64 id);

Q_SIGNALS:
    // Show this plan (buttons, radios, fields, description).
    void planChanged(const qz::Plan& plan);
    // Show the switch in this state and let its effect on the window follow.
    void switchChanged(qz::SettingsSwitch which, bool on);
    void languageChanged(int language);
    // The logon entry could not be written: the system's reason. Told once until it works.
    void logonEntryFailed(const QString& reason);
    // The user turned the logon start off, and its entry could not be removed.
    void logonEntryNotRemoved();
    // The settings could not be stored. Told once until a save succeeds.
    void saveFailed();

private:
    enum class SaveMoment { Choice, End };
    void saveAt(SaveMoment moment);
    void applyRunAtStartup();
    void registerLogonStart();
    void taskArmedChanged(bool armed);
    void taskPostponed(const QDateTime& dueTime);
    ArmResult armPlan(const Plan& plan);

    std::unique_ptr<SettingsStore> m_store;
    ScheduledTask* m_task;
    Plan m_plan;
    bool m_notifications = true; // the layout's states until the settings are applied
    bool m_stayOnTop = true;
    bool m_runAtStartup = false;
    int m_language = 0;
    std::string m_loadedEverydayFlag;
    std::string m_savedEverydayTime;
    bool m_storedActionRead = false; // the stored action was one of the table's words
    bool m_rearmDecided = false;
    bool m_loading = false;
    bool m_saveHeld = false;
    bool m_saveFailureTold = false;
    QString m_logonFailureTold; // the logon failure last told, until one succeeds
    quint64 m_taskId = 0;
};

} // namespace qz
