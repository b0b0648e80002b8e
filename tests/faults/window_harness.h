#pragma once

// A main window over the real timers, a clock of the caller's choice and a given power
// backend, for the timing and fault tests.

#include "app/anaform.h"
#include "app/anaform_fixture.h"
#include "settings/fake_registry.h"
#include "settings/settings_store.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_time_edit.h"

#include <QDateTime>
#include <QTimer>

#include <memory>

namespace qz::test {

// The system clock moved by an offset that another process may change (it lives in shared
// memory when the test needs that), so a test can place a deadline a few seconds ahead or
// make the clock jump while the process is stopped.
class OffsetClock : public Clock {
public:
    explicit OffsetClock(const std::atomic<qint64>* offsetMSecs) : m_offset(offsetMSecs) {}
    QDateTime now() const override {
        return QDateTime::currentDateTime().addMSecs(m_offset->load());
    }

private:
    const std::atomic<qint64>* m_offset;
};

struct WindowParts {
    std::unique_ptr<TAnaform> window;
    RecordingPrompts* prompts = nullptr;
    std::shared_ptr<FakeRegistryState> registry = std::make_shared<FakeRegistryState>();
    std::shared_ptr<FakeRunAtStartupState> logon = std::make_shared<FakeRunAtStartupState>();
    std::vector<QString> reminders;
};

// Builds and shows the window; FormShow leaves shutdown and "From Now" selected.
inline void startWindow(WindowParts& parts, std::unique_ptr<Clock> clock,
                        std::unique_ptr<PowerBackend> power) {
    AnaformDeps deps;
    deps.clock = std::move(clock);
    deps.power = std::move(power);
    deps.idle = std::make_unique<FakeIdle>();
    auto prompts = std::make_unique<RecordingPrompts>();
    parts.prompts = prompts.get();
    deps.prompts = std::move(prompts);
    deps.settings = std::make_unique<SettingsStore>(std::make_unique<FakeRegistry>(parts.registry),
                                                    std::make_unique<FakeRunAtStartup>(parts.logon),
                                                    "/opt/qz/qzscheduler");
    deps.makeNotifier = [&parts](QSystemTrayIcon*) {
        return std::make_unique<RecordingNotifier>(&parts.reminders);
    };
    deps.openUrl = [](const QUrl&) {};
    deps.systemLocaleName = [] { return QStringLiteral("en_US"); };
    parts.window = std::make_unique<TAnaform>(std::move(deps));
    parts.window->show();
}

// Arms the specified-time mode at `due` (whole minutes) through the window's own handlers.
inline bool armAt(TAnaform& w, const QDateTime& due) {
    w.findChild<TqzRadioButton*>(QStringLiteral("radioBelirtilenSaat"))->setChecked(true);
    w.radioSuandanitibarenClick();
    w.findChild<TqzDateEdit*>(QStringLiteral("dateEditBelirtilenSure"))->setDate(due.date());
    w.findChild<TqzTimeEdit*>(QStringLiteral("timeEditBelirtilenSure"))
        ->setTimeValue(QTime(due.time().hour(), due.time().minute()));
    w.btnStartStopClick();
    return w.isArmed();
}

inline QTimer* taskTimer(TAnaform& w) {
    return w.findChild<QTimer*>(QStringLiteral("timerGorev"));
}

} // namespace qz::test
