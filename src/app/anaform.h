#pragma once

#include "app/anaform_deps.h"
#include "app/controller/task_controller.h"
#include "i18n/message_id.h"
#include "schedule/countdown.h"
#include "schedule/plan.h"
#include "schedule/power_action.h"
#include "schedule/scheduled_task.h"
#include "schedule/trigger_mode.h"
#include "update/update_window.h"

#include <QFont>
#include <QMap>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class TqzButton;
class TqzCircledProgressBar;
class TqzComboBox;
class TqzDateEdit;
class TqzGlyphButton;
class TqzImage;
class TqzLabel;
class TqzLang;
class TqzListGroupPanel;
class TqzPanel;
class TqzRadioButton;
class TqzScrollBox;
class TqzSplitView;
class TqzSwitch;
class TqzTimeEdit;
class TqzTrayIcon;

namespace qz {
class Notifier;
struct NotifierAction;
} // namespace qz

// The one window of the program, a view of its TaskController: it sends the controller the
// plan as the user edits it and the user's commands, and shows what the controller says.
// Creating it runs FormCreate (settings applied, defaults set); the first show runs FormShow
// once, before the window becomes visible; destroying it runs FormDestroy (settings saved).
// Components carry their names as objectName, and Caption and Font are properties so the
// translation table reaches the window itself too.
class TAnaform : public QWidget, public qz::UpdateWindow {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit TAnaform(qz::AnaformDeps deps, QWidget* parent = nullptr);
    ~TAnaform() override;

    void setVisible(bool visible) override;

    // State the tests and the other subsystems read.
    qz::ScheduledTask& task() const { return m_controller->task(); }
    qz::TaskController& controller() const { return *m_controller; }
    qz::PowerAction selectedAction() const;
    qz::TriggerMode selectedMode() const;
    int activeLanguage() const;
    bool stayOnTop() const;
    TqzLang* lang() const { return qzLang1; }
    TqzTrayIcon* trayIcon() const { return qzTrayIcon1; }

public Q_SLOTS:
    // Lifecycle.
    void FormCreate();
    void FormShow();
    void FormDestroy();

    // Chrome (title bar, bottom bar, settings panel).
    void btnUpdateClick();
    void CloseButtonClick();
    // Shows the window in front, from the tray or the taskbar too (a second start).
    void bringToFront();
    // Arms a task asked for from outside the window (the command line). The controls show it
    // once it is armed; a refused request leaves them as they were. The reason when
    // refused, else empty.
    QString armFromCommand(qz::PowerAction action, qz::TriggerMode mode, const QString& value);
    // What the user should know of the armed task, shown in the bottom bar: empty mostly.
    QString armedNotice() const;
    // The Stop button's stop, for the tray menu and other copies of the program.
    void cancelTask();
    void MinButtonClick();
    void qzGlyphButton1Click();
    void lblUrlClick();
    void swUstteChangeState();
    void swBildirimChangeState();
    void swBaslangicChangeState();
    void cmbDilChange();
    void closeSettingsPanel();

    // Schedule.
    void actionButtonClick();
    void radioSuandanitibarenClick();
    void fieldChange();
    void dateEditBelirtilenSureChange();
    void UpdateDescription();
    void btnStartStopClick();
    void timerGorevTimer();
    void timerBildirimTimer();

public:
    // The message string of that row in the active language.
    QString message(qz::MessageId id) const;

    // qz::UpdateWindow (anaform_update.cpp)
    QString messageString(const QString& id) const override;
    bool askYesNo(const QString& text) override;
    void stopStayingOnTop() override;
    void showUpdateRing() override;
    void setUpdateRingCaption(const QString& caption) override;
    void setUpdateRingProgress(qint64 received, qint64 total) override;
    void hideUpdateRing() override;
    void showUpdateFailure(const QString& text) override;
    void endProgram() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Construction, in anaform.cpp.
    void createComponents();
    void createChrome();
    void createScheduleArea();
    void createSettingsPanel();
    void placeComponents();
    void layoutDescription();
    int px(int designPixels) const;
    QFont tahoma(int pixelHeight, bool bold) const;
    QFont ringPercentFont() const;
    // Tab order, keys and screen-reader names, in anaform_access.cpp.
    void setUpKeyboardAndReaders();

    // Chrome helpers, in anaform_chrome.cpp.
    void connectHandlers();
    void applyStayOnTop(bool onTop);
    // What the controller says, in anaform_lifecycle.cpp.
    void connectController();
    TqzSwitch* settingsSwitch(qz::SettingsSwitch which) const;
    int defaultLanguage() const;
    void showSwitch(qz::SettingsSwitch which, bool on);
    void showLanguage(int language);
    void reportError(const QString& text);
    void reportSaveFailure();

    // Schedule helpers, in anaform_schedule.cpp.
    TqzButton* actionButton(qz::PowerAction action) const;
    qz::ScheduleFields scheduleFields() const;
    // The plan as the controls show it; planEdited() sends it to the controller.
    qz::Plan shownPlan() const;
    void planEdited();
    void showPlan(const qz::Plan& plan);
    void applyTriggerMode();
    // Enables the fields of the checked trigger while no task is armed.
    void showTriggerFields();
    TqzRadioButton* radioOf(qz::TriggerMode mode) const;
    // The input fields of the trigger, as its row names them.
    QList<QWidget*> fieldsOf(qz::TriggerMode mode) const;
    // The time field that shows this value of the plan.
    TqzTimeEdit* timeField(QTime qz::ScheduleFields::*value) const;
    void taskArmedChanged(bool armed);
    void taskProgressChanged(quint32 maximum, quint32 value, qint64 remainingSpanMSecs);
    void showPendingProgress();
    void showReminder(qint64 remainingSpanMSecs);
    void setArmedLook(bool armed);
    void setScheduleInputsEnabled(bool enabled);
    void setActionButtonsEnabled(bool enabled);
    void refreshArmedTexts();

    // Outcomes, in anaform_outcomes.cpp.
    QString actionCaption(qz::PowerAction action) const;
    // The action as the messages name it in the active language.
    QString actionInMessage(qz::PowerAction action) const;
    // The message naming the action, with the system's reason on a line of its own.
    QString actionMessage(qz::MessageId id, qz::PowerAction action, const QString& reason) const;
    QString refusalText(qz::ArmResult result, qz::PowerAction action) const;
    void showRefusal(const QString& text);
    // Asks the system which actions it can do and shows the others as unavailable.
    void markUnavailableActions();
    void taskFailed(qz::PowerAction action, const QString& error);
    void taskMissed(qz::PowerAction action, const QDateTime& dueTime);
    void notifyOutcome(const QString& text);
    QString missedText(qz::PowerAction action, const QDateTime& dueTime) const;
    // The notice is kept as how to write it, so a language change writes it again; an empty
    // text, or no notice, brings back the web address.
    void showNotice(std::function<QString()> compose);
    void refreshNotice();
    void refreshUnavailableTips();

    // Tray menu, tip and reminder choices, in anaform_tray.cpp.
    void createTrayMenu();
    void refreshTrayMenu();
    void refreshTrayTip();
    QList<qz::NotifierAction> reminderActions() const;

    qz::AnaformDeps m_deps;
    std::unique_ptr<qz::Notifier> m_notifier;
    std::unique_ptr<qz::UpdateTask> m_updater;
    qz::TaskController* m_controller = nullptr;
    bool m_shown = false;
    // The countdown's last step, until the ring shows it: a window in the tray is not drawn,
    // so its ring catches up when it comes back rather than every second.
    struct RingProgress {
        quint32 maximum;
        quint32 value;
        qint64 remainingSpanMSecs;
    };
    std::optional<RingProgress> m_pendingProgress;
    // The actions the system says it cannot do, with its reason.
    QMap<qz::PowerAction, QString> m_unavailable;
    std::function<QString()> m_notice;
    bool m_versionCheckStarted = false;
    bool m_destroyed = false;

    // Components, by the names the translation table and the settings use.
    TqzPanel* panelClient = nullptr;
    TqzPanel* panelTop = nullptr;
    TqzImage* qzImage1 = nullptr;
    TqzLabel* lblCaption = nullptr;
    TqzGlyphButton* CloseButton = nullptr;
    TqzGlyphButton* MinButton = nullptr;
    TqzGlyphButton* qzGlyphButton1 = nullptr;
    TqzGlyphButton* btnUpdate = nullptr;
    TqzPanel* panelBottom = nullptr;
    TqzLabel* lblUrl = nullptr;
    TqzLabel* lblNotice = nullptr; // what became of a task that was not carried out
    TqzPanel* panelAna = nullptr;
    TqzPanel* panelCenter = nullptr;
    TqzPanel* qzPanel1 = nullptr;
    TqzSplitView* qzSplitView1 = nullptr;
    TqzScrollBox* qzScrollBox1 = nullptr;
    TqzListGroupPanel* qzListGroupPanel1 = nullptr;
    TqzLabel* qzLabel1 = nullptr;
    TqzLabel* qzLabel5 = nullptr;
    TqzLabel* qzLabel6 = nullptr;
    TqzLabel* qzLabel7 = nullptr;
    TqzComboBox* cmbDil = nullptr;
    TqzSwitch* swUstte = nullptr;
    TqzSwitch* swBildirim = nullptr;
    TqzSwitch* swBaslangic = nullptr;
    TqzCircledProgressBar* qzProgressbar1 = nullptr;

    // The six action buttons and the four trigger radios, by the action's and the trigger's
    // value; anaform_rows.h says how they stand.
    std::array<TqzButton*, qz::kPowerActionNames.size()> m_actionButtons{};
    std::array<TqzRadioButton*, qz::kTriggerNames.size()> m_triggerRadios{};
    // The four time fields in the order of their rows (anaform_rows.h), and the date field.
    std::array<TqzTimeEdit*, 4> m_timeFields{};
    TqzDateEdit* dateEditBelirtilenSure = nullptr;
    TqzCircledProgressBar* progress = nullptr;
    TqzGlyphButton* btnStartStop = nullptr;
    TqzLabel* lblBil = nullptr;
    TqzLabel* lblTarih = nullptr;
    TqzLabel* lblislem = nullptr;
    TqzLabel* lbltarihEn = nullptr;

    TqzLang* qzLang1 = nullptr;
    TqzTrayIcon* qzTrayIcon1 = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_showHideAction = nullptr;
    QAction* m_postponeAction = nullptr;
    QAction* m_cancelAction = nullptr;
    QAction* m_quitAction = nullptr;
};
